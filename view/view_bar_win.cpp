#include "view/view_bar_win.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "app/app_state.h"
#include "app/commands_win.h"
#include "app/gdi_guards_win.h"
#include "app/language_module_win.h"
#include "app/menu_caption.h"
#include "app/menu_state.h"
#include "app/window_classes_win.h"
#include "view/bar_buttons.h"
#include "view/button_images_win.h"
#include "view/navigator_win.h"
#include "view/view_control_win.h"
#include "view/view_cursor_win.h"
#include "view/view_pointer.h"

namespace {

constexpr int kBarId = 1000;
constexpr int kToolBarId = 1001;
constexpr int kTitleFieldId = 1002;
constexpr int kLabelId = 1040;
constexpr int kTitleFieldHeight = 21;
constexpr int kLabelWidth = 44;
constexpr COLORREF kBarColour = RGB(0x38, 0x38, 0x38);
constexpr COLORREF kHotColour = RGB(0x58, 0x58, 0x58);
constexpr COLORREF kTextColour = RGB(0xFF, 0xFF, 0xFF);

ApplicationState& A() { return App(); }

HWND Child(int id) { return A().view_bar ? GetDlgItem(A().view_bar, id) : nullptr; }
HWND ToolBar() { return Child(kToolBarId); }

HBRUSH BarBrush() {
  static UniqueBrush brush(CreateSolidBrush(kBarColour));
  return brush.get();
}

HBRUSH HotBrush() {
  static UniqueBrush brush(CreateSolidBrush(kHotColour));
  return brush.get();
}

TBBUTTON ButtonOf(const BarItem& item) {
  TBBUTTON button = {};
  button.idCommand = item.id;
  button.fsState = TBSTATE_ENABLED;
  if (item.image == kBarSeparator) {
    button.fsStyle = BTNS_SEP;
    button.iBitmap = item.id == kBarLabelSeparator ? kLabelWidth : 0;
  } else {
    button.fsStyle = BTNS_BUTTON;
    button.iBitmap = item.image;
  }
  if (IsFullScreenBarItem(item.id)) button.fsState |= TBSTATE_HIDDEN;
  return button;
}

// The tips must be attached before the buttons, or the buttons get none.
HWND CreateToolBar(HWND bar) {
  HWND tool_bar = CreateWindowExW(
      0, TOOLBARCLASSNAMEW, nullptr,
      WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT | TBSTYLE_TOOLTIPS |
          CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
      0, 0, 400, kViewBarHeight, bar, reinterpret_cast<HMENU>(INT_PTR{kToolBarId}), A().instance,
      nullptr);
  if (!tool_bar) return nullptr;
  SendMessageW(tool_bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  if (A().tooltips[0]) {
    SendMessageW(tool_bar, TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(A().tooltips[0]), 0);
  }
  AttachButtonImages(tool_bar);
  std::vector<TBBUTTON> buttons;
  for (const BarItem& item : ViewBarItems()) buttons.push_back(ButtonOf(item));
  SendMessageW(tool_bar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  return tool_bar;
}

HWND CreateStatic(HWND parent, int id, DWORD style, const wchar_t* text) {
  HWND control = CreateWindowExW(0, L"STATIC", text, WS_CHILD | SS_NOPREFIX | style, 0, 0, 0, 0,
                                 parent, reinterpret_cast<HMENU>(INT_PTR{id}), A().instance,
                                 nullptr);
  if (control && A().ui_font) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(A().ui_font.get()), FALSE);
  }
  return control;
}

RECT ButtonRect(HWND tool_bar, int id) {
  RECT r = {};
  int index = static_cast<int>(SendMessageW(tool_bar, TB_COMMANDTOINDEX, id, 0));
  SendMessageW(tool_bar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  return r;
}

// The label sits over its separator; the title field fills the widened
// separator of full screen.
void PlaceControls() {
  HWND tool_bar = ToolBar();
  if (!tool_bar) return;
  RECT label = ButtonRect(tool_bar, kBarLabelSeparator);
  MoveWindow(Child(kLabelId), label.left, 0, label.right - label.left, kViewBarHeight, TRUE);
  if (A().display_mode != kDisplayFullScreen) return;
  RECT field = ButtonRect(tool_bar, kBarTitleSeparator);
  MoveWindow(Child(kTitleFieldId), field.left + 4, (kViewBarHeight - kTitleFieldHeight) / 2,
             field.right - field.left - 8, kTitleFieldHeight, TRUE);
}

// In full screen the title separator takes whatever width the buttons
// leave.
void WidenTitleSeparator(int bar_width) {
  HWND tool_bar = ToolBar();
  int used = 0;
  int count = static_cast<int>(SendMessageW(tool_bar, TB_BUTTONCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    TBBUTTON button = {};
    SendMessageW(tool_bar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
    if (button.idCommand == kBarTitleSeparator || (button.fsState & TBSTATE_HIDDEN)) continue;
    RECT r = {};
    SendMessageW(tool_bar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    used += r.right - r.left;
  }
  TBBUTTONINFOW info = {sizeof(info), TBIF_SIZE};
  info.cx = static_cast<WORD>(std::max(bar_width - used, 0));
  SendMessageW(tool_bar, TB_SETBUTTONINFOW, kBarTitleSeparator, reinterpret_cast<LPARAM>(&info));
}

std::wstring TipText(int command) {
  int caption = CaptionStringFor(command, A().display_mode);
  return TipFromCaption(LanguageString(A().language.get(), static_cast<UINT>(caption)));
}

LRESULT OnCustomDraw(NMTBCUSTOMDRAW* draw) {
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      // A hot button gets a lighter square of its own instead of the
      // system's raised edge, which would not show on the dark bar.
      if (draw->nmcd.uItemState & CDIS_HOT) FillRect(draw->nmcd.hdc, &draw->nmcd.rc, HotBrush());
      return TBCDRF_NOEDGES | TBCDRF_NOOFFSET;
  }
  return CDRF_DODEFAULT;
}

LRESULT OnNotify(NMHDR* header) {
  if (header->code == TTN_GETDISPINFOW) {
    static std::wstring text;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    text = TipText(static_cast<int>(header->idFrom));
    info->lpszText = text.data();
    return 0;
  }
  if (header->code == NM_CUSTOMDRAW && header->idFrom == kToolBarId) {
    return OnCustomDraw(reinterpret_cast<NMTBCUSTOMDRAW*>(header));
  }
  return 0;
}

void SetButtonEnabled(HWND tool_bar, int command, bool enabled) {
  LRESULT state = SendMessageW(tool_bar, TB_GETSTATE, command, 0);
  if (state < 0) return;
  BYTE kept = static_cast<BYTE>(state & TBSTATE_HIDDEN);
  BYTE next = static_cast<BYTE>(kept | (enabled ? TBSTATE_ENABLED : TBSTATE_INDETERMINATE));
  if (next != static_cast<BYTE>(state)) SendMessageW(tool_bar, TB_SETSTATE, command, next);
}

void OnCreate(HWND bar) {
  A().view_bar = bar;
  CreateToolBar(bar);
  CreateStatic(bar, kLabelId, WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE,
               LanguageString(A().language.get(), kLabelId).c_str());
  CreateStatic(bar, kTitleFieldId, SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_ENDELLIPSIS, L"");
  PlaceControls();
  RefreshBarButtons();
}

}  // namespace

HWND CreateViewBar(HWND view) {
  return CreateWindowExW(0, kViewBarClass, nullptr, WS_CHILD | WS_CLIPCHILDREN, 0, 0, 400,
                         kViewBarHeight, view, reinterpret_cast<HMENU>(INT_PTR{kBarId}),
                         A().instance, nullptr);
}

LRESULT CALLBACK ViewBarProc(HWND bar, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(bar);
      return 0;
    case WM_DESTROY:
      if (HWND tool_bar = ToolBar()) DetachButtonImages(tool_bar);
      return 0;
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(bar, &r);
      FillRect(reinterpret_cast<HDC>(wparam), &r, BarBrush());
      return 1;
    }
    case WM_CTLCOLORSTATIC:
      SetTextColor(reinterpret_cast<HDC>(wparam), kTextColour);
      SetBkColor(reinterpret_cast<HDC>(wparam), kBarColour);
      return reinterpret_cast<LRESULT>(BarBrush());
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lparam));
    case WM_COMMAND:
      if (lparam && LOWORD(wparam) >= kFirstCommand) RunViewCommand(LOWORD(wparam));
      return 0;
    case WM_PARENTNOTIFY:
      // A click on the bar leaves the keys with the view window.
      if (LOWORD(wparam) == WM_LBUTTONDOWN || LOWORD(wparam) == WM_RBUTTONDOWN) {
        SetFocus(A().view_window);
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      SetFocus(A().view_window);
      return 0;
    case WM_SIZE:
      if (HWND tool_bar = ToolBar()) {
        MoveWindow(tool_bar, 0, 0, LOWORD(lparam), kViewBarHeight, TRUE);
      }
      PlaceControls();
      return 0;
  }
  return DefWindowProcW(bar, message, wparam, lparam);
}

void ShowViewBar() {
  ApplicationState& app = A();
  if (!app.view_bar) return;
  if (!app.bar_shown) {
    app.bar_shown = true;
    SetWindowPos(app.view_bar, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  }
  ShowViewCursor();
  if (app.navigator_by_hover) HideNavigator();
}

void HideViewBar() {
  ApplicationState& app = A();
  if (!app.bar_shown) return;
  app.bar_shown = false;
  if (app.view_bar) ShowWindow(app.view_bar, SW_HIDE);
  if (app.slideshow_running) HideViewCursor();
}

void SizeViewBar(int width) {
  HWND bar = A().view_bar;
  if (!bar) return;
  if (A().display_mode == kDisplayFullScreen) WidenTitleSeparator(width);
  MoveWindow(bar, 0, 0, width, kViewBarHeight, TRUE);
}

void ShowBarWindowButtons(bool shown) {
  HWND tool_bar = ToolBar();
  if (!tool_bar) return;
  for (const BarItem& item : ViewBarItems()) {
    if (IsFullScreenBarItem(item.id)) SendMessageW(tool_bar, TB_HIDEBUTTON, item.id, !shown);
  }
  if (shown) {
    RECT client;
    GetClientRect(A().view_window, &client);
    WidenTitleSeparator(client.right);
  }
  ShowWindow(Child(kTitleFieldId), shown ? SW_SHOWNA : SW_HIDE);
  PlaceControls();
}

void RefreshBarButtons() {
  ApplicationState& app = A();
  HWND tool_bar = ToolBar();
  if (!tool_bar) return;
  BarFacts facts = {ViewHasImage(), app.slideshow_running, !app.file_list.empty(),
                    app.file_list.entries().size()};
  for (const BarItem& item : ViewBarItems()) {
    if (item.image != kBarSeparator) {
      SetButtonEnabled(tool_bar, item.id, BarButtonEnabled(item.id, facts));
    }
  }
  EnableWindow(Child(kLabelId), facts.has_image && !facts.slideshow);
}

void SetBarTitle(const std::wstring& title) {
  HWND field = Child(kTitleFieldId);
  if (!field) return;
  SetWindowTextW(field, title.c_str());
  InvalidateRect(field, nullptr, TRUE);
}

void SetViewBarFont(HFONT font) {
  for (int id : {kLabelId, kTitleFieldId}) {
    if (HWND control = Child(id)) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
}
