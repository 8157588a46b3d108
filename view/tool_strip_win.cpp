#include "view/tool_strip_win.h"

#include <commctrl.h>
#include <imm.h>

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/gdi_guards_win.h"
#include "app/language_module_win.h"
#include "app/menu_build_win.h"
#include "app/menu_caption.h"
#include "app/menu_popup_win.h"
#include "view/button_images_win.h"
#include "view/edit_panes_win.h"
#include "view/view_control_win.h"

namespace {

constexpr int kStripId = kToolStripId;
constexpr int kFileBandId = 1011;
constexpr int kViewBandId = 1012;
constexpr int kZoomFieldId = 1041;
constexpr int kZoomSeparator = 9941;  // holds the zoom field
constexpr int kZoomFieldWidth = 56;
constexpr COLORREF kStripColour = RGB(0xF0, 0xF0, 0xF0);
constexpr int kMenuButtons[] = {5106, 5107, 5108, 5400};

struct StripButton {
  int id;
  int image;  // I_IMAGENONE for the text-only menu buttons; -1 for a separator
  BYTE style;
};

constexpr BYTE kPlain = BTNS_BUTTON;
constexpr BYTE kRadio = BTNS_CHECKGROUP;
constexpr BYTE kMenu = BTNS_WHOLEDROPDOWN | BTNS_SHOWTEXT | BTNS_AUTOSIZE;

const StripButton kFileBand[] = {
    {5010, 0, kPlain}, {5012, 15, kPlain}, {0, -1, 0}, {5311, 13, kPlain}, {0, -1, 0},
    {5106, I_IMAGENONE, kMenu}, {5107, I_IMAGENONE, kMenu}, {5108, I_IMAGENONE, kMenu},
    {5400, I_IMAGENONE, kMenu},
};
const StripButton kViewBand[] = {
    {5720, 16, kRadio}, {5721, 17, kRadio}, {5722, 18, kRadio}, {0, -1, 0},
    {5210, 3, kPlain},  {5220, 4, kPlain},  {kZoomSeparator, -1, 0}, {0, -1, 0},
    {5710, 19, kPlain}, {5740, 23, kPlain}, {0, -1, 0}, {5310, 14, kPlain},
};

bool g_writing_zoom = false;  // the program, not the user, is changing the field
int g_open_menu = 0;          // the menu button whose menu is open
int g_next_menu = 0;          // the one the pointer moved on to meanwhile

ApplicationState& A() { return App(); }
HWND Strip() { return A().edit_window ? GetDlgItem(A().edit_window, kStripId) : nullptr; }

int ButtonHeight() {
  TEXTMETRICW metrics = {};
  WindowDcGuard screen(nullptr);
  SelectionGuard font(screen.get(),
                      A().ui_font ? A().ui_font.get() : GetStockObject(DEFAULT_GUI_FONT));
  GetTextMetricsW(screen.get(), &metrics);
  return std::max(static_cast<int>(metrics.tmHeight) + 10, 22);
}

std::wstring MenuName(int id) {
  return WithoutMnemonic(LanguageString(A().language.get(), static_cast<UINT>(id)));
}

TBBUTTON ButtonOf(const StripButton& b, std::vector<std::wstring>& texts) {
  TBBUTTON button = {};
  button.idCommand = b.id;
  button.fsState = TBSTATE_ENABLED;
  if (b.image == -1) {
    button.fsStyle = BTNS_SEP;
    button.iBitmap = b.id == kZoomSeparator ? kZoomFieldWidth : 0;
    return button;
  }
  button.fsStyle = b.style;
  button.iBitmap = b.image;
  if (b.image == I_IMAGENONE) {
    texts.push_back(MenuName(b.id));
    button.iString = reinterpret_cast<INT_PTR>(texts.back().c_str());
  }
  return button;
}

template <size_t N>
HWND CreateBandBar(HWND strip, int id, const StripButton (&buttons)[N]) {
  HWND bar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT |
                                 TBSTYLE_TOOLTIPS | TBSTYLE_LIST | CCS_NODIVIDER | CCS_NORESIZE |
                                 CCS_NOPARENTALIGN,
                             0, 0, 0, 0, strip, reinterpret_cast<HMENU>(INT_PTR{id}),
                             A().instance, nullptr);
  if (!bar) return nullptr;
  SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS | TBSTYLE_EX_MIXEDBUTTONS);
  if (A().ui_font) SendMessageW(bar, WM_SETFONT, reinterpret_cast<WPARAM>(A().ui_font.get()), 0);
  AttachButtonImages(bar);
  std::vector<std::wstring> texts;
  texts.reserve(N);  // the buttons keep pointers into it until they are added
  std::vector<TBBUTTON> items;
  for (const StripButton& b : buttons) items.push_back(ButtonOf(b, texts));
  SendMessageW(bar, TB_ADDBUTTONSW, items.size(), reinterpret_cast<LPARAM>(items.data()));
  SendMessageW(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(0, ButtonHeight()));
  SendMessageW(bar, TB_AUTOSIZE, 0, 0);
  return bar;
}

void AddBand(HWND strip, HWND bar, int id) {
  SIZE size = {};
  SendMessageW(bar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
  REBARBANDINFOW band = {sizeof(REBARBANDINFOW)};
  band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_ID | RBBIM_STYLE | RBBIM_SIZE;
  band.fStyle = RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS;
  band.hwndChild = bar;
  band.wID = static_cast<UINT>(id);
  band.cxMinChild = static_cast<UINT>(size.cx);
  band.cyMinChild = static_cast<UINT>(size.cy);
  band.cx = static_cast<UINT>(size.cx + 16);
  SendMessageW(strip, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

HWND BandBar(int id) {
  HWND strip = Strip();
  return strip ? GetDlgItem(strip, id) : nullptr;
}

// The field sits over the separator kept for it in the view band.
void CreateZoomField() {
  HWND bar = BandBar(kViewBandId);
  RECT place = {};
  int index = static_cast<int>(SendMessageW(bar, TB_COMMANDTOINDEX, kZoomSeparator, 0));
  SendMessageW(bar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&place));
  HWND field = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", nullptr,
                               WS_CHILD | WS_VISIBLE | ES_RIGHT | ES_NUMBER | ES_AUTOHSCROLL,
                               place.left + 2, place.top + 2, place.right - place.left - 4,
                               place.bottom - place.top - 4, bar,
                               reinterpret_cast<HMENU>(INT_PTR{kZoomFieldId}), A().instance,
                               nullptr);
  if (!field) return;
  if (A().ui_font) SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(A().ui_font.get()), 0);
  SendMessageW(field, EM_LIMITTEXT, 5, 0);
}

int ZoomPercent() { return static_cast<int>(std::lround(A().edit_geometry.zoom * 100.0)); }

HWND ZoomField() {
  HWND bar = BandBar(kViewBandId);
  return bar ? GetDlgItem(bar, kZoomFieldId) : nullptr;
}

void WriteZoomField() {
  HWND field = ZoomField();
  if (!field) return;
  g_writing_zoom = true;
  SetWindowTextW(field, std::to_wstring(ZoomPercent()).c_str());
  g_writing_zoom = false;
}

// The user's number, clamped to 1 ... 1600 percent, becomes the zoom.
void ReadZoomField(HWND field) {
  wchar_t text[16] = {};
  GetWindowTextW(field, text, 16);
  long percent = std::wcstol(text, nullptr, 10);
  if (text[0] == L'\0') return;
  percent = std::clamp(percent, 1L, 1600L);
  if (percent == ZoomPercent()) return;
  SetViewZoom(static_cast<double>(percent) / 100.0);
}

// While the field has the keys, typing digits must not run commands.
void OnZoomFieldFocus(HWND field, bool gained) {
  A().accelerators_suspended = gained;
  if (gained) {
    if (HIMC context = ImmGetContext(field)) {
      ImmSetOpenStatus(context, FALSE);
      ImmReleaseContext(field, context);
    }
    return;
  }
  WriteZoomField();
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
  HWND bar = BandBar(kFileBandId);
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

std::wstring TipText(int command) {
  return TipFromCaption(LanguageString(A().language.get(), static_cast<UINT>(command)));
}

}  // namespace

HWND CreateToolStrip(HWND edit) {
  HWND strip = CreateWindowExW(
      WS_EX_TOOLWINDOW, REBARCLASSNAMEW, nullptr,
      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | RBS_VARHEIGHT |
          RBS_BANDBORDERS | CCS_NODIVIDER | CCS_TOP,
      0, 0, 0, 0, edit, reinterpret_cast<HMENU>(INT_PTR{kStripId}), A().instance, nullptr);
  if (!strip) return nullptr;
  SendMessageW(strip, RB_SETBKCOLOR, 0, kStripColour);
  AddBand(strip, CreateBandBar(strip, kFileBandId, kFileBand), kFileBandId);
  AddBand(strip, CreateBandBar(strip, kViewBandId, kViewBand), kViewBandId);
  CreateZoomField();
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
  HWND bar = BandBar(kViewBandId);
  if (bar) SendMessageW(bar, TB_CHECKBUTTON, 5720 + A().active_pane, TRUE);
}

bool HandleToolStripNotify(const NMHDR* header, LRESULT* result) {
  if (!Strip()) return false;
  switch (header->code) {
    case TBN_DROPDOWN: {
      auto* button = reinterpret_cast<const NMTOOLBARW*>(header);
      OpenMenuOfButton(button->hdr.hwndFrom, button->iItem);
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
  if (!field || field != ZoomField()) return false;
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
  for (int band : {kFileBandId, kViewBandId}) {
    if (HWND bar = BandBar(band)) DetachButtonImages(bar);
  }
}
