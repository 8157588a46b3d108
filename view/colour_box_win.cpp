#include "view/colour_box_win.h"

#include <commdlg.h>

#include "adjust/adjustment_win.h"
#include "app/app_state.h"
#include "app/gdi_guards_win.h"
#include "app/window_classes_win.h"
#include "view/save_bar_win.h"

namespace {

// While the eyedropper is on, every swatch shows the colour under the
// pointer, so the user sees what a click would take.
COLORREF BoxColour(int id) {
  const ApplicationState& app = App();
  if (app.eyedropper_on) return app.eyedropper_colour;
  if (app.adjustment) return app.adjustment->BoxColour(id);
  return app.settings.save_transparent_colour;
}

void ColourBoxClick(HWND box) {
  if (App().adjustment) {
    App().adjustment->ColourBoxClick(box);
  } else {
    ChooseSaveColour();
  }
}

void Paint(HWND box) {
  PaintGuard paint(box);
  RECT client;
  GetClientRect(box, &client);
  UniqueBrush brush(CreateSolidBrush(BoxColour(GetDlgCtrlID(box))));
  FillRect(paint.dc(), &client, brush.get());
}

}  // namespace

LRESULT CALLBACK ColourBoxProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      Paint(box);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
      ColourBoxClick(box);
      return 0;
  }
  return DefWindowProcW(box, message, wparam, lparam);
}

HWND CreateColourBox(HWND parent, int id, int x, int y, int side) {
  return CreateWindowExW(0, kColourBoxClass, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, x, y,
                         side, side, parent, reinterpret_cast<HMENU>(INT_PTR{id}),
                         App().instance, nullptr);
}

bool ChooseColourFor(HWND owner, COLORREF* colour) {
  CHOOSECOLORW choose = {sizeof(choose)};
  choose.hwndOwner = owner;
  choose.rgbResult = *colour;
  choose.lpCustColors = App().custom_colours;
  choose.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorW(&choose)) return false;
  *colour = choose.rgbResult;
  return true;
}
