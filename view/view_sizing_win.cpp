#include "view/view_sizing_win.h"

#include "app/app_state.h"
#include "view/view_bar_win.h"
#include "view/view_control_win.h"
#include "view/view_pointer.h"
#include "view/view_window_fit.h"
#include "view/view_zoom.h"

namespace {

// Whether the last user sizing was by a corner: such a size is followed by
// a new zoom, a side drag only by a new layout.
bool g_corner_sizing = false;

bool IsCorner(WPARAM edge) {
  return edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMLEFT ||
         edge == WMSZ_BOTTOMRIGHT;
}

bool HeldToImage() {
  ApplicationState& app = App();
  return app.display_mode == kDisplayView && app.settings.view_follows_image && ViewHasImage();
}

}  // namespace

void OnViewSizing(WPARAM edge, RECT* proposed) {
  g_corner_sizing = IsCorner(edge);
  if (!HeldToImage()) return;
  ApplicationState& app = App();
  ScreenRect r = {proposed->left, proposed->top, proposed->right, proposed->bottom};
  SizingEdge sizing = static_cast<SizingEdge>(edge);
  if (g_corner_sizing) {
    ScreenRect frame = ViewWindowFrame();
    int32_t minimum = MinimumClientExtent(app.settings.show_title_bar != 0,
                                          GetSystemMetrics(SM_CXMIN) - frame.width());
    r = KeepAspectOnCornerDrag(r, sizing, frame, ViewImageSize(), minimum);
  } else {
    r = LimitSideDrag(r, sizing, {app.fitted_window.cx, app.fitted_window.cy});
  }
  *proposed = {r.left, r.top, r.right, r.bottom};
}

void OnViewSize() {
  ApplicationState& app = App();
  SizeViewBar(ViewClientSize().width);
  if (app.sizing_by_program) return;  // the caller lays out
  if (HeldToImage() && g_corner_sizing) {
    SetZoom(app.view_geometry, ViewImageSize(), FitZoom(ViewImageSize(), ViewClientSize()));
    ApplyViewStretchMode();
  }
  LayOutViewWindow(!HeldToImage());
  RepaintView();
}

void OnViewMinMaxInfo(MINMAXINFO* info) {
  ApplicationState& app = App();
  if (app.settings.show_title_bar || !app.view_window) return;
  // Without a title bar the window could otherwise shrink to nothing.
  RECT frame = {0, 0, 0, 0};
  AdjustWindowRectEx(&frame, WS_POPUP | WS_THICKFRAME, FALSE, 0);
  info->ptMinTrackSize.y = frame.bottom - frame.top + 1;
}
