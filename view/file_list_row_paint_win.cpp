#include "view/file_list_row_paint_win.h"

#include <string>

#include "app/gdi_guards_win.h"
#include "view/file_list_rows.h"

namespace {

constexpr int kPadding = 3;

// Widest texts a column has to hold, so that every row keeps its columns
// at the same place and drops them at the same window width.
constexpr wchar_t kWidestSize[] = L"0000000KB";
constexpr wchar_t kWidestDate[] = L"0000-00-00 00:00";

const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

int TextWidth(HDC dc, const wchar_t* text) {
  SIZE size = {};
  GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
  return size.cx;
}

std::u16string DateText(const FileTimeValue& stamp) {
  FILETIME utc = {stamp.low, stamp.high}, local;
  SYSTEMTIME t;
  if ((stamp.low == 0 && stamp.high == 0) || !FileTimeToLocalFileTime(&utc, &local) ||
      !FileTimeToSystemTime(&local, &t))
    return {};
  return RowDateText({t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute});
}

void DrawPart(HDC dc, const std::u16string& text, RECT area, UINT alignment) {
  DrawTextW(dc, Wide(text), -1, &area,
            alignment | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void DrawEntry(HDC dc, const RECT& row, const FileListEntry& entry) {
  const int date_width = TextWidth(dc, kWidestDate);
  const int size_width = TextWidth(dc, kWidestSize);
  const int gap = TextWidth(dc, L"  ");
  RowWidths widths{static_cast<int32_t>(row.right - row.left - 2 * kPadding), size_width,
                   date_width, gap, TextWidth(dc, L"MMM")};
  RowColumns columns = LayOutRow(widths);
  const int left = row.left + kPadding;
  // Members of two folders of an archive may share a name.
  const std::u16string shown = entry.folder.empty() ? entry.name : entry.folder + u"\\" + entry.name;
  DrawPart(dc, shown, {left, row.top, left + columns.name_right, row.bottom}, DT_LEFT);
  if (!columns.size) return;
  const int right = row.right - kPadding;
  const int size_right = columns.date ? right - date_width - gap : right;
  DrawPart(dc, RowSizeText(entry.size), {left + columns.info_left, row.top, size_right, row.bottom},
           DT_RIGHT);
  if (columns.date)
    DrawPart(dc, DateText(entry.last_write), {right - date_width, row.top, right, row.bottom},
             DT_RIGHT);
}

}  // namespace

void PaintFileListRow(const DRAWITEMSTRUCT& item, const FileList& files, HFONT font) {
  HDC dc = item.hDC;
  const bool selected = item.itemState & ODS_SELECTED;
  const RECT& row = item.rcItem;
  FillRect(dc, &row, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID < files.count()) {
    SelectionGuard chosen(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawEntry(dc, row, files.entries()[item.itemID]);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &row);
}
