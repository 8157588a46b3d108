#include "view/view_styles_win.h"

#include "app/app_state.h"
#include "view/view_window_fit.h"

namespace {

constexpr DWORD kAlways = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD kExAlways = WS_EX_APPWINDOW | WS_EX_ACCEPTFILES;
// What the window procedure and the system own: showing, maximising,
// minimising and disabling are never ours to overwrite.
constexpr DWORD kSystemOwned = WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE | WS_DISABLED;

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)); }
DWORD ExStyleOf(HWND window) {
  return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
}

RECT ClientOnScreen(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

// A caption needs room for its buttons: the client grows to the minimum
// width about its centre.
void WidenForCaption(RECT* client, const ViewStyles& styles) {
  RECT frame = {0, 0, 0, 0};
  AdjustWindowRectEx(&frame, styles.style, FALSE, styles.ex_style);
  int32_t minimum =
      MinimumClientExtent(true, GetSystemMetrics(SM_CXMIN) - (frame.right - frame.left));
  int32_t width = client->right - client->left;
  if (width >= minimum) return;
  client->left -= (minimum - width) / 2;
  client->right = client->left + minimum;
}

}  // namespace

ViewStyles ViewStylesFor(bool title_bar, bool hover_frame, bool topmost) {
  ViewStyles styles = {kAlways, kExAlways};
  if (title_bar) {
    styles.style |= WS_CAPTION | WS_THICKFRAME;
  } else if (hover_frame) {
    styles.style |= WS_THICKFRAME;
    styles.ex_style |= WS_EX_DLGMODALFRAME;
  }
  if (topmost) styles.ex_style |= WS_EX_TOPMOST;
  return styles;
}

ViewStyles WantedViewStyles() {
  const ApplicationState& app = App();
  bool full_screen = app.display_mode == kDisplayFullScreen;
  return ViewStylesFor(!full_screen && app.settings.show_title_bar != 0,
                       !full_screen && app.hover_frame_shown, app.settings.always_on_top != 0);
}

void ApplyViewStyles() {
  ApplicationState& app = App();
  HWND view = app.view_window;
  if (!view) return;
  ViewStyles wanted = WantedViewStyles();
  DWORD kept = StyleOf(view) & kSystemOwned;
  if ((StyleOf(view) & ~kSystemOwned) == wanted.style && ExStyleOf(view) == wanted.ex_style) {
    return;
  }
  RECT outer = ClientOnScreen(view);
  if (wanted.style & WS_CAPTION) WidenForCaption(&outer, wanted);
  AdjustWindowRectEx(&outer, wanted.style, FALSE, wanted.ex_style);
  SetWindowLongPtrW(view, GWL_STYLE, static_cast<LONG_PTR>(wanted.style | kept));
  SetWindowLongPtrW(view, GWL_EXSTYLE, static_cast<LONG_PTR>(wanted.ex_style));
  // The topmost bit in the extended style is only a record; the z-order
  // itself changes with SetWindowPos.
  bool topmost = (wanted.ex_style & WS_EX_TOPMOST) != 0;
  app.sizing_by_program = true;
  SetWindowPos(view, topmost ? HWND_TOPMOST : nullptr, outer.left, outer.top,
               outer.right - outer.left, outer.bottom - outer.top,
               SWP_FRAMECHANGED | SWP_NOACTIVATE | (topmost ? 0 : SWP_NOZORDER));
  app.sizing_by_program = false;
}
