#include "view/tool_strip_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/key_names.h"
#include "app/language_module_win.h"
#include "app/menu_build_win.h"
#include "app/menu_caption.h"
#include "app/menu_popup_win.h"
#include "view/button_images_win.h"
#include "view/edit_panes_win.h"
#include "view/save_bar_win.h"
#include "view/strip_band_win.h"
#include "view/strip_field_win.h"
#include "view/view_control_win.h"

namespace {

constexpr int kStripId = kToolStripId;
constexpr int kZoomFieldId = 1041;
constexpr int kZoomSeparator = 9941;  // holds the zoom field
constexpr int kZoomFieldWidth = 56;
constexpr COLORREF kStripColour = RGB(0xF0, 0xF0, 0xF0);
constexpr int kMenuButtons[] = {5106, 5107, 5108, 5400};

constexpr BYTE kPlain = BTNS_BUTTON;
constexpr BYTE kRadio = BTNS_CHECKGROUP;
constexpr BYTE kMenu = BTNS_WHOLEDROPDOWN | BTNS_SHOWTEXT | BTNS_AUTOSIZE;

constexpr StripButton kSeparator = {0, 0, BTNS_SEP};

const StripButton kFileBand[] = {
    {5010, 0, kPlain}, {5012, 15, kPlain}, kSeparator, {5311, 13, kPlain}, kSeparator,
    {5106, I_IMAGENONE, kMenu}, {5107, I_IMAGENONE, kMenu}, {5108, I_IMAGENONE, kMenu},
    {5400, I_IMAGENONE, kMenu},
};
const StripButton kViewBand[] = {
    {5720, 16, kRadio}, {5721, 17, kRadio}, {5722, 18, kRadio}, kSeparator,
    {5210, 3, kPlain},  {5220, 4, kPlain},  {kZoomSeparator, kZoomFieldWidth, BTNS_SEP}, kSeparator,
    {5710, 19, kPlain}, {5740, 23, kPlain}, kSeparator, {5310, 14, kPlain},
};

bool g_writing_zoom = false;  // the program, not the user, is changing the field
int g_open_menu = 0;          // the menu button whose menu is open
int g_next_menu = 0;          // the one the pointer moved on to meanwhile

ApplicationState& A() { return App(); }
HWND Strip() { return A().edit_window ? GetDlgItem(A().edit_window, kStripId) : nullptr; }



int ZoomPercent() { return static_cast<int>(std::lround(A().edit_geometry.zoom * 100.0)); }

HWND ZoomField() {
  HWND bar = ToolStripBand(kViewBandId);
  return bar ? GetDlgItem(bar, kZoomFieldId) : nullptr;
}

void WriteZoomField() {
  HWND field = ZoomField();
  if (!field) return;
  g_writing_zoom = true;
  SetFieldNumber(field, ZoomPercent());
  g_writing_zoom = false;
}

// The user's number, clamped to 1 ... 1600 percent, becomes the zoom.
void ReadZoomField(HWND field) {
  long percent = 0;
  if (!FieldNumber(field, &percent)) return;
  percent = std::clamp(percent, 1L, 1600L);
  if (percent == ZoomPercent()) return;
  SetViewZoom(static_cast<double>(percent) / 100.0);
}

void OnZoomFieldFocus(HWND field, bool gained) {
  OnStripFieldFocus(field, gained);
  if (!gained) WriteZoomField();
}

bool IsMenuButton(int id) {
  return std::find(std::begin(kMenuButtons), std::end(kMenuButtons), id) != std::end(kMenuButtons);
}

// Opens the menu below its button, and the next one when the pointer moved
// on to another menu button while it was open.
void OpenMenuOfButton(HWND bar, int id) {
  for (g_next_menu = id; g_next_menu != 0;) {
    const int open = g_next_menu;
    g_next_menu = 0;
    HMENU popup = FindSubmenu(open);
    if (!popup) break;
    RECT place = {};
    int index = static_cast<int>(SendMessageW(bar, TB_COMMANDTOINDEX, open, 0));
    SendMessageW(bar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&place));
    MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&place), 2);
    SendMessageW(bar, TB_PRESSBUTTON, open, TRUE);
    g_open_menu = open;
    ShowPopupMenu(A().edit_window, popup, {place.left, place.bottom}, TPM_NOANIMATION);
    g_open_menu = 0;
    SendMessageW(bar, TB_PRESSBUTTON, open, FALSE);
  }
}

// The button of the file band under a screen point, or 0.
int FileBandButtonAt(POINT screen) {
  HWND bar = ToolStripBand(kFileBandId);
  if (!bar || WindowFromPoint(screen) != bar) return 0;
  POINT client = screen;
  ScreenToClient(bar, &client);
  int index = static_cast<int>(SendMessageW(bar, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&client)));
  if (index < 0) return 0;
  TBBUTTON button = {};
  SendMessageW(bar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
  return (button.fsStyle & BTNS_SEP) ? 0 : button.idCommand;
}

bool OverStrip(POINT screen) {
  HWND under = WindowFromPoint(screen);
  return under && (under == Strip() || IsChild(Strip(), under));
}

// Apply and Cancel also name the key that does the same.
std::wstring TipText(int command) {
  std::wstring tip = TipFromCaption(LanguageString(A().language.get(), static_cast<UINT>(command)));
  const uint8_t key = command == kCommandApplyAdjustment    ? VK_RETURN
                      : command == kCommandCancelAdjustment ? VK_ESCAPE
                                                            : 0;
  if (key == 0) return tip;
  const std::string name = KeyName(key);
  return tip + L" (" + std::wstring(name.begin(), name.end()) + L")";
}

}  // namespace

HWND ToolStripBand(int id) {
  HWND strip = Strip();
  return strip ? GetDlgItem(strip, id) : nullptr;
}

HWND CreateToolStrip(HWND edit) {
  HWND strip = CreateWindowExW(
      WS_EX_TOOLWINDOW, REBARCLASSNAMEW, nullptr,
      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | RBS_VARHEIGHT |
          RBS_BANDBORDERS | CCS_NODIVIDER | CCS_TOP,
      0, 0, 0, 0, edit, reinterpret_cast<HMENU>(INT_PTR{kStripId}), A().instance, nullptr);
  if (!strip) return nullptr;
  SendMessageW(strip, RB_SETBKCOLOR, 0, kStripColour);
  AddBand(strip, CreateBandBar(strip, kFileBandId, kFileBand), kFileBandId, false);
  HWND view_band = CreateBandBar(strip, kViewBandId, kViewBand);
  AddBand(strip, view_band, kViewBandId, false);
  CreateStripField(view_band, kZoomSeparator, kZoomFieldId, 5);
  CreateSaveBar(strip, A().settings.edit_toolstrip_rows != 1);
  RefreshToolStrip();
  return strip;
}

int ToolStripHeight() {
  HWND strip = Strip();
  if (!strip) return 0;
  RECT r;
  GetWindowRect(strip, &r);
  return r.bottom - r.top;
}

int ToolStripRows() {
  HWND strip = Strip();
  return strip ? static_cast<int>(SendMessageW(strip, RB_GETROWCOUNT, 0, 0)) : 0;
}

void RefreshToolStrip() {
  if (GetFocus() != ZoomField()) WriteZoomField();
  HWND bar = ToolStripBand(kViewBandId);
  if (bar) SendMessageW(bar, TB_CHECKBUTTON, 5720 + A().active_pane, TRUE);
  RefreshSaveBar();
}

bool HandleToolStripNotify(const NMHDR* header, LRESULT* result) {
  if (!Strip()) return false;
  switch (header->code) {
    case TBN_DROPDOWN: {
      auto* button = reinterpret_cast<const NMTOOLBARW*>(header);
      if (!OpenSaveBarMenu(button->hdr.hwndFrom, button->iItem)) {
        OpenMenuOfButton(button->hdr.hwndFrom, button->iItem);
      }
      *result = TBDDRET_DEFAULT;
      return true;
    }
    case RBN_HEIGHTCHANGE:
      LayOutEditPanes();
      *result = 0;
      return true;
    case TTN_GETDISPINFOW: {
      if (header->idFrom < 5000) return false;
      static std::wstring text;
      auto* info = reinterpret_cast<NMTTDISPINFOW*>(const_cast<NMHDR*>(header));
      text = TipText(static_cast<int>(header->idFrom));
      info->lpszText = text.data();
      *result = 0;
      return true;
    }
  }
  return false;
}

bool HandleToolStripCommand(WPARAM wparam, LPARAM lparam) {
  HWND field = reinterpret_cast<HWND>(lparam);
  if (!field) return false;
  if (field != ZoomField()) return LOWORD(wparam) < 5000 && HandleSaveBarControl(wparam, lparam);
  switch (HIWORD(wparam)) {
    case EN_CHANGE:
      if (!g_writing_zoom) ReadZoomField(field);
      break;
    case EN_SETFOCUS:
      OnZoomFieldFocus(field, true);
      break;
    case EN_KILLFOCUS:
      OnZoomFieldFocus(field, false);
      break;
  }
  return true;
}

bool HandleMenuLoopMessage(const MSG& message) {
  if (g_open_menu == 0 || !Strip()) return false;
  if (message.message == WM_MOUSEMOVE) {
    int over = FileBandButtonAt(message.pt);
    if (over == 0 || over == g_open_menu || !IsMenuButton(over)) return false;
    g_next_menu = over;
    EndMenu();
    return true;
  }
  if (message.message == WM_LBUTTONDOWN && OverStrip(message.pt)) {
    const int over = FileBandButtonAt(message.pt);
    if (over != 0 && over != g_open_menu) return false;  // another button handles its click
    EndMenu();
    return true;
  }
  return false;
}

void FreeToolStripImages() {
  for (int band : {kFileBandId, kViewBandId, kSaveBarId}) {
    if (HWND bar = ToolStripBand(band)) DetachButtonImages(bar);
  }
}

void RebuildToolStrip() {
  ApplicationState& app = A();
  HWND strip = Strip();
  if (!strip) return;
  const bool had_keys = IsChild(strip, GetFocus());
  app.settings.edit_toolstrip_rows = ToolStripRows();
  FreeToolStripImages();
  DestroyWindow(strip);
  CreateToolStrip(app.edit_window);
  if (had_keys) SetFocus(app.edit_window);
  LayOutEditPanes();
}
