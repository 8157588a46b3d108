#include "adjust/adjustment_bar_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>

#include "adjust/adjustment_win.h"
#include "adjust/label_drag.h"
#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/language_module_win.h"
#include "app/menu_caption.h"
#include "view/button_images_win.h"
#include "view/colour_box_win.h"
#include "view/edit_panes_win.h"
#include "view/save_bar_win.h"
#include "view/strip_band_win.h"
#include "view/strip_field_win.h"
#include "view/tool_strip_win.h"

namespace {

constexpr int kBarSeparator = 9901;
constexpr int kApplyImage = 20;
constexpr int kCancelImage = 21;
constexpr UINT_PTR kSubclassId = 1;
constexpr COLORREF kAtBound = 0xFF4000;
constexpr COLORREF kOutside = 0x5000D0;

ApplicationState& A() { return App(); }
HWND Strip() { return A().edit_window ? GetDlgItem(A().edit_window, kToolStripId) : nullptr; }

std::wstring Text(UINT id) { return LanguageString(A().language.get(), id); }

int BandIndex(int id) {
  return static_cast<int>(SendMessageW(Strip(), RB_IDTOINDEX, static_cast<WPARAM>(id), 0));
}

void ShowBand(int id, bool shown) {
  const int index = BandIndex(id);
  if (index >= 0) SendMessageW(Strip(), RB_SHOWBAND, static_cast<WPARAM>(index), shown);
}

// The child under a bar point that the mouse can reach.
HWND ChildAt(HWND bar, POINT client) {
  HWND child = ChildWindowFromPointEx(bar, client, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
  return child == bar ? nullptr : child;
}

void SetHotLabel(HWND label) {
  ApplicationState& app = A();
  if (app.hot_label == label) return;
  HWND old = app.hot_label;
  app.hot_label = label;
  if (old) InvalidateRect(old, nullptr, TRUE);
  if (label) InvalidateRect(label, nullptr, TRUE);
}

void TrackLeaving(HWND bar) {
  TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, bar, 0};
  TrackMouseEvent(&track);
}

void OnMouseMove(HWND bar, WPARAM keys, POINT client) {
  ApplicationState& app = A();
  CIBase* adjustment = app.adjustment;
  if (!adjustment) return;
  if ((keys & MK_LBUTTON) && app.hot_label && GetCapture() == bar) {
    POINT screen = client;
    ClientToScreen(bar, &screen);
    adjustment->DragLabel(screen.x - app.drag_origin_x);
    return;
  }
  if (keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) return;
  HWND under = ChildAt(bar, client);
  SetHotLabel(under && adjustment->IsDragLabel(under) ? under : nullptr);
  TrackLeaving(bar);
}

void OnLeftDown(HWND bar, POINT client) {
  ApplicationState& app = A();
  if (!app.adjustment || !app.hot_label || ChildAt(bar, client) != app.hot_label) return;
  SetFocus(bar);
  SetCapture(bar);
  POINT screen = client;
  ClientToScreen(bar, &screen);
  app.drag_origin_x = screen.x;
  app.adjustment->BeginLabelDrag();
}

void OnLeftUp() {
  if (!A().hot_label || GetCapture() == nullptr) return;
  ReleaseCapture();
  LayOutEditView();
  RepaintEditPanes();
}

LRESULT EditColours(HDC dc, HWND edit) {
  const int check = A().adjustment ? A().adjustment->CheckValue(edit) : 0;
  if (check == 1) SetTextColor(dc, kAtBound);
  if (check == 2) SetTextColor(dc, kOutside);
  SetBkColor(dc, RGB(255, 255, 255));
  return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

LRESULT StaticColours(HDC dc, HWND label) {
  SetBkMode(dc, TRANSPARENT);
  if (label == A().hot_label) {
    SetTextColor(dc, RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(GetStockObject(DKGRAY_BRUSH));
  }
  return reinterpret_cast<LRESULT>(A().panel_brush.get());
}

void OnControlCommand(WPARAM wparam, HWND control) {
  ApplicationState& app = A();
  if (!app.adjustment || !app.bar_ready) return;
  app.adjustment->BarCommand(wparam, control);
  if (HIWORD(wparam) == EN_CHANGE) InvalidateRect(control, nullptr, TRUE);  // its check colour
}

LRESULT CALLBACK BarProc(HWND bar, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                         DWORD_PTR) {
  const POINT client = {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
  switch (message) {
    case WM_SETCURSOR: {
      POINT at;
      GetCursorPos(&at);
      ScreenToClient(bar, &at);
      if (A().hot_label && ChildAt(bar, at) == A().hot_label) {
        SetCursor(A().cursor_label_drag ? A().cursor_label_drag : LoadCursorW(nullptr, IDC_SIZEWE));
        return TRUE;
      }
      break;
    }
    case WM_CTLCOLOREDIT:
      return EditColours(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return StaticColours(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_MOUSEMOVE:
      OnMouseMove(bar, wparam, client);
      break;
    case WM_LBUTTONDOWN:
      OnLeftDown(bar, client);
      if (A().hot_label && GetCapture() == bar) return 0;
      break;
    case WM_LBUTTONUP:
      OnLeftUp();
      break;
    case WM_MOUSELEAVE:
      if (GetCapture() != bar) SetHotLabel(nullptr);
      break;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      SetFocus(bar);
      return 0;
    case WM_COMMAND:
      if (lparam && LOWORD(wparam) < 5000) {
        OnControlCommand(wparam, reinterpret_cast<HWND>(lparam));
        return 0;
      }
      break;
  }
  return DefSubclassProc(bar, message, wparam, lparam);
}

}  // namespace

HWND CreateAdjustmentBar() {
  HWND strip = Strip();
  if (!strip) return nullptr;
  A().bar_ready = false;
  constexpr StripButton kButtons[] = {
      {kCommandApplyAdjustment, kApplyImage, BTNS_BUTTON},
      {kCommandCancelAdjustment, kCancelImage, BTNS_BUTTON},
      {kBarSeparator, 0, BTNS_SEP},
  };
  HWND bar = CreateBandBar(strip, kAdjustmentBarId, kButtons);
  if (bar) SetWindowSubclass(bar, BarProc, kSubclassId, 0);
  return bar;
}

BarLayout::BarLayout(HWND bar) : bar_(bar), height_(StripButtonHeight() - 4) {
  RECT last = {};
  const int count = static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
  SendMessageW(bar, TB_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&last));
  x_ = last.right + 4;
}

HWND BarLayout::Make(const wchar_t* class_name, int id, DWORD style, DWORD ex_style,
                     const std::wstring& text, int width, int height, int y) {
  HWND control = CreateWindowExW(ex_style, class_name, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                                 x_, y, width, height, bar_, reinterpret_cast<HMENU>(INT_PTR{id}),
                                 A().instance, nullptr);
  if (control && A().ui_font) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(A().ui_font.get()), FALSE);
  }
  x_ += width;
  return control;
}

// The label takes no mouse of its own: the bar sees the pointer over it,
// which is how a label becomes hot and is dragged.
HWND BarLayout::Label(int id, UINT text) {
  const std::wstring caption = WithoutMnemonic(Text(text));
  HWND label = Make(L"STATIC", id, SS_CENTER | SS_CENTERIMAGE, 0, caption,
                    StripTextWidth(caption) + 4, height_, 2);
  x_ += 1;
  last_gap_ = 1;
  return label;
}

HWND BarLayout::Edit(int id, int digits) {
  const int width = StripTextWidth(digits == 3 ? L"000" : L"0000") + GetSystemMetrics(SM_CXVSCROLL) + 10;
  HWND edit = Make(L"EDIT", id, ES_AUTOHSCROLL | ES_RIGHT, WS_EX_CLIENTEDGE, L"0", width, height_, 2);
  SendMessageW(edit, EM_LIMITTEXT, digits, 0);
  x_ += 8;
  last_gap_ = 8;
  return edit;
}

// The arrows attach to the right of their box, which makes room for them.
HWND BarLayout::UpDown(int id, HWND buddy, const AmountRange& range) {
  HWND arrows = CreateUpDownControl(
      WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0,
      0, 0, 0, bar_, id, A().instance, buddy, range.most, range.least, 0);
  return arrows;
}

HWND BarLayout::Check(int id, UINT text, bool on) {
  const std::wstring caption = Text(text);
  HWND box = Make(L"BUTTON", id, BS_AUTOCHECKBOX, 0, caption,
                  StripTextWidth(WithoutMnemonic(caption)) + GetSystemMetrics(SM_CXMENUCHECK) + 8,
                  height_, 2);
  SendMessageW(box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
  x_ += 8;
  last_gap_ = 8;
  return box;
}

HWND BarLayout::Push(int id, UINT text) {
  NewGroup();
  const std::wstring caption = Text(text);
  HWND button = Make(L"BUTTON", id, BS_PUSHBUTTON, 0, caption,
                     StripTextWidth(WithoutMnemonic(caption)) + 12, height_ + 2, 1);
  x_ += 8;
  last_gap_ = 8;
  return button;
}

HWND BarLayout::ColourBox(int id) {
  HWND box = CreateColourBox(bar_, id, x_, 2, height_);
  x_ += height_ + 8;
  last_gap_ = 8;
  return box;
}

void ShowAdjustmentBar(HWND bar, int command, int width) {
  HWND strip = Strip();
  if (!strip || !bar) return;
  const int save_index = BandIndex(kSaveBarId);
  REBARBANDINFOW save = {sizeof(REBARBANDINFOW), RBBIM_STYLE};
  if (save_index >= 0) SendMessageW(strip, RB_GETBANDINFOW, save_index, reinterpret_cast<LPARAM>(&save));
  ShowBand(kSaveBarId, false);  // its options wait until the adjustment ends

  static std::wstring caption;  // the rebar copies it
  caption = TipFromCaption(Text(static_cast<UINT>(command)));
  REBARBANDINFOW band = {sizeof(REBARBANDINFOW)};
  band.fMask = RBBIM_CHILD | RBBIM_ID | RBBIM_STYLE | RBBIM_TEXT | RBBIM_CHILDSIZE | RBBIM_SIZE;
  band.fStyle = RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS | (save.fStyle & RBBS_BREAK);
  band.hwndChild = bar;
  band.wID = kAdjustmentBarId;
  band.lpText = caption.data();
  band.cxMinChild = static_cast<UINT>(width);
  band.cyMinChild = static_cast<UINT>(StripButtonHeight());
  band.cx = static_cast<UINT>(width + 16);
  SendMessageW(strip, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
  if (SendMessageW(strip, RB_GETROWCOUNT, 0, 0) == 1) {
    SendMessageW(strip, RB_MAXIMIZEBAND, static_cast<WPARAM>(BandIndex(kAdjustmentBarId)), TRUE);
  }
  A().bar_ready = true;
  LayOutEditPanes();
}

void RemoveAdjustmentBar() {
  ApplicationState& app = A();
  app.bar_ready = false;
  app.hot_label = nullptr;
  HWND strip = Strip();
  if (!strip) return;
  HWND bar = GetDlgItem(strip, kAdjustmentBarId);
  const int index = BandIndex(kAdjustmentBarId);
  if (index >= 0) SendMessageW(strip, RB_DELETEBAND, static_cast<WPARAM>(index), 0);
  if (bar) {
    DetachButtonImages(bar);
    DestroyWindow(bar);
  }
  ShowBand(kSaveBarId, true);
  LayOutEditPanes();
}

bool FollowEditRule(WPARAM command, HWND edit, std::atomic<int32_t>* value,
                    const AmountRange& range) {
  switch (HIWORD(command)) {
    case EN_SETFOCUS:
      OnStripFieldFocus(edit, true);
      return false;
    case EN_KILLFOCUS:
      OnStripFieldFocus(edit, false);
      WriteBoxNumber(edit, value->load(std::memory_order_relaxed));
      return false;
    case EN_CHANGE: {
      const int32_t typed = BoxNumber(edit);
      if (typed == value->load(std::memory_order_relaxed)) return false;
      const int32_t held = Within(range, typed);
      const bool changed = held != value->load(std::memory_order_relaxed);
      value->store(held, std::memory_order_relaxed);
      return changed;
    }
  }
  return false;
}

int32_t BoxNumber(HWND edit) {
  wchar_t text[16] = {};
  GetWindowTextW(edit, text, 16);
  return static_cast<int32_t>(std::wcstol(text, nullptr, 10));
}

void WriteBoxNumber(HWND edit, int32_t value) {
  ApplicationState& app = A();
  const bool ready = app.bar_ready;
  app.bar_ready = false;
  SetWindowTextW(edit, std::to_wstring(value).c_str());
  app.bar_ready = ready;
}
