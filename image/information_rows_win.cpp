#include "image/information_rows_win.h"

#include <commctrl.h>

#include "app/app_state.h"
#include "app/dialog_loader_win.h"
#include "app/language_module_win.h"

namespace {

void AddColumn(HWND view, int index, const std::wstring& heading, int width) {
  LVCOLUMNW column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = const_cast<wchar_t*>(heading.c_str());
  column.cx = width;
  column.iSubItem = index;
  ListView_InsertColumn(view, index, &column);
}

void AddRow(HWND view, int row, const std::pair<std::wstring, std::wstring>& texts) {
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.pszText = const_cast<wchar_t*>(texts.first.c_str());
  const int at = ListView_InsertItem(view, &item);
  ListView_SetItemText(view, at, 1, const_cast<wchar_t*>(texts.second.c_str()));
}

void Fill(HWND dialog, const InformationList& list) {
  HWND view = GetDlgItem(dialog, list.list_id);
  ListView_SetExtendedListViewStyle(view, LVS_EX_FULLROWSELECT);
  RECT client = {};
  GetClientRect(view, &client);
  const int rest = client.right - list.first_width - GetSystemMetrics(SM_CXVSCROLL);
  HMODULE language = App().language.get();
  AddColumn(view, 0, LanguageString(language, list.first_heading), list.first_width);
  AddColumn(view, 1, LanguageString(language, list.first_heading + 1), rest > 40 ? rest : 40);
  for (size_t i = 0; i < list.rows.size(); ++i) AddRow(view, int(i), list.rows[i]);
}

void PutTextOnClipboard(HWND owner, const std::wstring& text) {
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return;
  memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  if (!OpenClipboard(owner)) {
    GlobalFree(memory);
    return;
  }
  EmptyClipboard();
  if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
  CloseClipboard();
}

// The selected rows, or every row when none is selected.
void CopyRows(HWND dialog, const InformationList& list) {
  HWND view = GetDlgItem(dialog, list.list_id);
  InformationRows chosen;
  for (int row = ListView_GetNextItem(view, -1, LVNI_SELECTED); row >= 0;
       row = ListView_GetNextItem(view, row, LVNI_SELECTED)) {
    if (size_t(row) < list.rows.size()) chosen.push_back(list.rows[size_t(row)]);
  }
  PutTextOnClipboard(dialog, RowsAsText(chosen.empty() ? list.rows : chosen));
}

bool OnKey(HWND dialog, const InformationList& list, const NMLVKEYDOWN& key) {
  if (GetKeyState(VK_CONTROL) >= 0) return false;
  if (key.wVKey == 'C') {
    CopyRows(dialog, list);
    return true;
  }
  if (key.wVKey == 'A') {
    ListView_SetItemState(GetDlgItem(dialog, list.list_id), -1, LVIS_SELECTED, LVIS_SELECTED);
    return true;
  }
  return false;
}

INT_PTR CALLBACK ListDialog(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto* list = reinterpret_cast<const InformationList*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lparam);
      Fill(dialog, *reinterpret_cast<const InformationList*>(lparam));
      return TRUE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      if (list && header->idFrom == UINT_PTR(list->list_id) && header->code == LVN_KEYDOWN)
        return OnKey(dialog, *list, *reinterpret_cast<const NMLVKEYDOWN*>(lparam));
      break;
    }
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

bool ShowInformationList(HWND owner, const InformationList& list) {
  return ShowModalDialog(list.dialog_id, owner, ListDialog, reinterpret_cast<LPARAM>(&list)) != -1;
}

std::wstring RowsAsText(const InformationRows& rows) {
  std::wstring text;
  for (const auto& [label, value] : rows) {
    text += label;
    text += L'\t';
    text += value;
    text += L"\r\n";
  }
  return text;
}
