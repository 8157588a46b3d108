#include "view/eyedropper_win.h"

#include "adjust/adjustment_win.h"
#include "app/app_state.h"
#include "app/wide_text.h"
#include "view/edit_panes_win.h"
#include "view/pane_layout.h"
#include "view/save_bar_win.h"
#include "view/title_win.h"

namespace {

constexpr int kSourceOnly = 1;

ApplicationState& A() { return App(); }

HCURSOR EyedropperCursor() {
  return A().cursor_eyedropper ? A().cursor_eyedropper : LoadCursorW(nullptr, IDC_CROSS);
}

// The pane to pick from shows alone, so that the whole image is at hand.
void ShowSourceAlone() {
  ApplicationState& app = A();
  app.eyedropper_panes = app.active_pane;
  if (app.active_pane != kSourceOnly) {
    SetActivePane(kSourceOnly);
  } else {
    InvalidateRect(app.source_pane, nullptr, FALSE);
  }
}

void RestorePanes() {
  ApplicationState& app = A();
  if (app.eyedropper_panes == kSourceOnly) {
    InvalidateRect(app.source_pane, nullptr, FALSE);
  } else {
    SetActivePane(app.eyedropper_panes);
  }
}

bool ColourAt(POINT client, uint32_t* colour) {
  return ColourUnder({client.x, client.y}, A().edit_geometry, A().current, colour);
}

void Hover(POINT client) {
  ApplicationState& app = A();
  uint32_t colour = 0;
  const bool on_image = ColourAt(client, &colour);
  if (on_image) app.eyedropper_colour = colour;
  SetWindowTextW(app.edit_window, ToWide(ColourReadout(on_image, colour)).c_str());
  if (app.adjustment) {
    app.adjustment->PickHover();
  } else {
    RepaintSaveColourBox();
  }
}

}  // namespace

void BeginEyedropper() {
  ApplicationState& app = A();
  if (app.eyedropper_on || !app.current.pixels || !app.source_pane) return;
  app.eyedropper_on = true;
  app.accelerators_suspended = true;
  app.eyedropper_colour = app.settings.save_transparent_colour;
  ShowSourceAlone();
  SetCapture(app.source_pane);
  SetCursor(EyedropperCursor());
  RefreshSaveBar();
}

void EndEyedropper(bool accept) {
  ApplicationState& app = A();
  if (!app.eyedropper_on) return;
  app.eyedropper_on = false;  // first, so that losing the capture does not end it again
  app.accelerators_suspended = false;
  if (GetCapture() == app.source_pane) ReleaseCapture();
  SetCursor(app.cursor_arrow ? app.cursor_arrow : LoadCursorW(nullptr, IDC_ARROW));
  if (app.adjustment) {
    app.adjustment->EndColourPick(accept);
  } else {
    EndSaveColourPick(accept, app.eyedropper_colour);
  }
  RestorePanes();
  RefreshTitle();
}

bool HandleEyedropperMouse(HWND pane, UINT message, POINT client) {
  ApplicationState& app = A();
  if (!app.eyedropper_on || pane != app.source_pane) return false;
  RECT area;
  GetClientRect(pane, &area);
  uint32_t colour = 0;
  switch (message) {
    case WM_MOUSEMOVE:
      Hover(client);
      return true;
    case WM_LBUTTONDOWN: {
      const bool on_image = PtInRect(&area, client) && ColourAt(client, &colour);
      if (on_image) app.eyedropper_colour = colour;
      EndEyedropper(on_image);
      return true;
    }
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      EndEyedropper(false);
      return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_LBUTTONDBLCLK:
      return true;
    case WM_SETCURSOR:
      SetCursor(EyedropperCursor());
      return true;
    case WM_CAPTURECHANGED:
      EndEyedropper(false);  // another window took the mouse
      return true;
  }
  return false;
}
