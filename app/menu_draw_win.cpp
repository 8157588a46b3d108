#include "app/menu_draw_win.h"

#include <algorithm>
#include <string>

#include "app/app_state.h"
#include "app/gdi_guards_win.h"

namespace {

constexpr int kVerticalPadding = 6;
constexpr int kBindingGap = 24;  // between the caption and the binding text

const MenuItemRecord* RecordOf(ULONG_PTR item_data) {
  return reinterpret_cast<const MenuItemRecord*>(item_data);
}

std::wstring BindingText(const MenuItemRecord& record) {
  std::string ascii = std::string(record.modifier_prefix) + record.key_name;
  return std::wstring(ascii.begin(), ascii.end());
}

// The interface font when there is one, else the system's menu font.
class MenuFont {
 public:
  MenuFont() {
    if (App().ui_font) {
      font_ = App().ui_font.get();
      return;
    }
    NONCLIENTMETRICSW metrics = {sizeof(metrics)};
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    own_.reset(CreateFontIndirectW(&metrics.lfMenuFont));
    font_ = own_.get();
  }
  HFONT get() const { return font_; }

 private:
  UniqueFont own_;
  HFONT font_ = nullptr;
};

// Room for the check mark on the left and the submenu arrow on the right.
int SideMargin() { return GetSystemMetrics(SM_CXMENUCHECK) + 6; }

SIZE TextSize(HDC dc, const std::wstring& text, UINT format) {
  RECT r = {0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_CALCRECT);
  return {r.right - r.left, r.bottom - r.top};
}

void DrawCheck(HDC dc, RECT item, bool radio) {
  int size = GetSystemMetrics(SM_CXMENUCHECK);
  RECT mark = {item.left + 3, item.top + (item.bottom - item.top - size) / 2, 0, 0};
  mark.right = mark.left + size;
  mark.bottom = mark.top + size;
  // The glyph comes as a black-on-white mask; ANDed in, only its black
  // pixels mark the item.
  MemoryDcGuard mask_dc(dc);
  UniqueGdiObject mask(CreateBitmap(size, size, 1, 1, nullptr));
  SelectionGuard selected(mask_dc.get(), mask.get());
  RECT all = {0, 0, size, size};
  DrawFrameControl(mask_dc.get(), &all, DFC_MENU, radio ? DFCS_MENUBULLET : DFCS_MENUCHECK);
  COLORREF old_text = SetTextColor(dc, RGB(0, 0, 0));
  COLORREF old_back = SetBkColor(dc, RGB(255, 255, 255));
  BitBlt(dc, mark.left, mark.top, size, size, mask_dc.get(), 0, 0, SRCAND);
  SetBkColor(dc, old_back);
  SetTextColor(dc, old_text);
}

}  // namespace

void MeasureMenuItem(MEASUREITEMSTRUCT* measure) {
  const MenuItemRecord* record = RecordOf(measure->itemData);
  if (!record) return;
  MenuFont font;
  WindowDcGuard screen(nullptr);
  SelectionGuard selected(screen.get(), font.get());
  SIZE caption = TextSize(screen.get(), record->caption, DT_SINGLELINE);
  std::wstring binding = BindingText(*record);
  SIZE keys = binding.empty() ? SIZE{0, 0}
                              : TextSize(screen.get(), binding, DT_SINGLELINE | DT_NOPREFIX);
  measure->itemWidth = static_cast<UINT>(2 * SideMargin() + caption.cx +
                                         (keys.cx ? kBindingGap + keys.cx : 0));
  measure->itemHeight = static_cast<UINT>(std::max<LONG>(caption.cy, keys.cy) + kVerticalPadding);
}

void DrawMenuItem(const DRAWITEMSTRUCT* draw) {
  const MenuItemRecord* record = RecordOf(draw->itemData);
  if (!record || draw->CtlType != ODT_MENU) return;
  HDC dc = draw->hDC;
  bool selected = (draw->itemState & ODS_SELECTED) != 0;
  bool greyed = (draw->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
  FillRect(dc, &draw->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  COLORREF text = greyed ? GetSysColor(COLOR_GRAYTEXT)
                         : GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  COLORREF old_colour = SetTextColor(dc, text);
  int old_mode = SetBkMode(dc, TRANSPARENT);
  MenuFont font;
  SelectionGuard font_selected(dc, font.get());
  if (draw->itemState & ODS_CHECKED) {
    MENUITEMINFOW info = {sizeof(info)};
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(reinterpret_cast<HMENU>(draw->hwndItem), draw->itemID, FALSE, &info);
    DrawCheck(dc, draw->rcItem, (info.fType & MFT_RADIOCHECK) != 0);
  }
  RECT area = draw->rcItem;
  area.left += SideMargin();
  area.right -= SideMargin();
  UINT prefix = (draw->itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
  DrawTextW(dc, record->caption.c_str(), -1, &area, DT_SINGLELINE | DT_VCENTER | DT_LEFT | prefix);
  std::wstring binding = BindingText(*record);
  DrawTextW(dc, binding.c_str(), -1, &area, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
  SetBkMode(dc, old_mode);
  SetTextColor(dc, old_colour);
}
