#include "app/about_box_win.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/gdi_guards_win.h"
#include "app/language_module_win.h"
#include "app/menu_caption.h"
#include "lang/string_ids.h"

namespace {

constexpr wchar_t kInfoClass[] = L"version_info_class";
constexpr wchar_t kLinkClass[] = L"version_url_class";
constexpr wchar_t kVersionLine[] = L"Ovira version 5.4.0.1 (64-bit)";
constexpr wchar_t kWebSite[] = L"https://ovira.example.org/";
constexpr int kClientWidth = 274;
constexpr int kClientHeight = 75;
constexpr int kMargin = 12;
constexpr int kLineHeight = 20;
constexpr COLORREF kLinkColour = RGB(0, 0, 204);

// The classes exist only while the box is up.
class ClassRegistration {
 public:
  ClassRegistration(const wchar_t* name, WNDPROC procedure, LPCWSTR cursor) : name_(name) {
    WNDCLASSEXW wc = {sizeof(wc)};
    wc.lpfnWndProc = procedure;
    wc.hInstance = App().instance;
    wc.hCursor = LoadCursorW(nullptr, cursor);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = name;
    registered_ = RegisterClassExW(&wc) != 0;
  }
  ~ClassRegistration() {
    if (registered_) UnregisterClassW(name_, App().instance);
  }
  ClassRegistration(const ClassRegistration&) = delete;
  ClassRegistration& operator=(const ClassRegistration&) = delete;
  bool ok() const { return registered_; }

 private:
  const wchar_t* name_;
  bool registered_ = false;
};

HFONT BoxFont() {
  HFONT font = App().ui_font.get();
  return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// Lines of text from `origin`, one below the other.
void PaintText(HWND window, POINT origin, const wchar_t* const* lines, int count,
               COLORREF colour, bool underline) {
  PaintGuard paint(window);
  LOGFONTW look = {};
  GetObjectW(BoxFont(), sizeof(look), &look);
  look.lfUnderline = underline;
  UniqueFont font(CreateFontIndirectW(&look));
  SelectionGuard selected(paint.dc(), font.get());
  SetBkMode(paint.dc(), TRANSPARENT);
  SetTextColor(paint.dc(), colour);
  for (int i = 0; i < count; ++i) {
    TextOutW(paint.dc(), origin.x, origin.y + i * kLineHeight, lines[i], lstrlenW(lines[i]));
  }
}

LRESULT CALLBACK LinkProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      const wchar_t* line = kWebSite;
      PaintText(window, {0, 0}, &line, 1, kLinkColour, true);
      return 0;
    }
    case WM_LBUTTONUP:
      ShellExecuteW(nullptr, L"open", kWebSite, nullptr, nullptr, SW_SHOWNORMAL);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void CreateLink(HWND box) {
  SIZE extent = {};
  {
    WindowDcGuard dc(box);
    SelectionGuard selected(dc.get(), BoxFont());
    GetTextExtentPoint32W(dc.get(), kWebSite, lstrlenW(kWebSite), &extent);
  }
  CreateWindowExW(0, kLinkClass, nullptr, WS_CHILD | WS_VISIBLE, kMargin,
                  kMargin + 2 * kLineHeight, extent.cx, extent.cy, box, nullptr, App().instance,
                  nullptr);
}

LRESULT CALLBACK InfoProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      CreateLink(window);
      return 0;
    case WM_PAINT: {
      std::wstring notice = LanguageString(App().language.get(), IDS_ABOUT_NOTICE);
      const wchar_t* lines[] = {kVersionLine, notice.c_str()};
      PaintText(window, {kMargin, kMargin}, lines, 2, GetSysColor(COLOR_BTNTEXT), false);
      return 0;
    }
    case WM_KEYDOWN:
      if (wparam == VK_ESCAPE || wparam == VK_RETURN) DestroyWindow(window);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

RECT BoxRect(HWND owner) {
  int width = kClientWidth + 2 * GetSystemMetrics(SM_CXDLGFRAME);
  int height = kClientHeight + GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYDLGFRAME);
  RECT over = {};
  GetWindowRect(owner, &over);
  int left = over.left + (over.right - over.left - width) / 2;
  int top = over.top + (over.bottom - over.top - height) / 2;
  return {left, top, left + width, top + height};
}

// Runs until the box is gone; a quit message on the way is passed on.
void RunBoxLoop(HWND box) {
  MSG message;
  while (IsWindow(box)) {
    BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

void ShowAboutBox() {
  ApplicationState& app = App();
  ClassRegistration info(kInfoClass, InfoProc, IDC_ARROW);
  ClassRegistration link(kLinkClass, LinkProc, IDC_HAND);
  if (!info.ok() || !link.ok()) return;
  HWND owner = OwnerWindow();
  std::wstring title = WithoutMnemonic(LanguageString(app.language.get(), kCommandAbout));
  RECT r = BoxRect(owner);
  HWND box = CreateWindowExW(WS_EX_DLGMODALFRAME, kInfoClass, title.c_str(),
                             WS_POPUP | WS_CAPTION | WS_SYSMENU, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, owner, nullptr, app.instance, nullptr);
  if (!box) return;
  bool was_suspended = app.accelerators_suspended;
  app.accelerators_suspended = true;
  EnableWindow(owner, FALSE);
  ShowWindow(box, SW_SHOW);
  RunBoxLoop(box);
  EnableWindow(owner, TRUE);
  app.accelerators_suspended = was_suspended;
  SetForegroundWindow(owner);
}
