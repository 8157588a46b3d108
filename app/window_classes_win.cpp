#include "app/window_classes_win.h"

#include "view/colour_box_win.h"
#include "view/edit_panes_win.h"
#include "view/edit_window_win.h"
#include "view/file_list_window_win.h"
#include "view/navigator_win.h"
#include "view/view_bar_win.h"
#include "view/view_window_win.h"

namespace {

struct ClassSpec {
  const wchar_t* name;
  UINT style;
  WNDPROC procedure;
  bool app_icon;
  LPCWSTR cursor;            // system cursor, or nullptr for our own
  int own_cursor;            // resource id when cursor is nullptr
};

constexpr UINT kRedraw = CS_VREDRAW | CS_HREDRAW;
constexpr UINT kPane = kRedraw | CS_DBLCLKS | CS_OWNDC;

// Windows whose behaviour has not arrived yet get the default procedure, so
// the class table is complete from the start.
const ClassSpec kClasses[] = {
    {kViewWindowClass, kPane, ViewWindowProc, true, IDC_ARROW, 0},
    {kEditWindowClass, kRedraw, EditWindowProc, true, IDC_ARROW, 0},
    {kViewBarClass, kRedraw, ViewBarProc, false, IDC_ARROW, 0},
    {kListWindowClass, kRedraw, FileListWindowProc, false, IDC_ARROW, 0},
    {kSourcePaneClass, kPane, EditPaneProc, false, IDC_ARROW, 0},
    {kPreviewPaneClass, kPane, EditPaneProc, false, IDC_ARROW, 0},
    {kNavigatorClass, kRedraw | CS_OWNDC, NavigatorProc, false, nullptr, kNavigatorCursorId},
    {kColourBoxClass, kRedraw, ColourBoxProc, false, IDC_HAND, 0},
};

}  // namespace

bool RegisterWindowClasses(HINSTANCE instance) {
  for (const ClassSpec& spec : kClasses) {
    WNDCLASSEXW wc = {sizeof(wc)};
    wc.style = spec.style;
    wc.lpfnWndProc = spec.procedure;
    wc.hInstance = instance;
    wc.hIcon = spec.app_icon ? LoadIconW(instance, MAKEINTRESOURCEW(kAppIconId)) : nullptr;
    wc.hCursor = spec.cursor ? LoadCursorW(nullptr, spec.cursor)
                             : LoadCursorW(instance, MAKEINTRESOURCEW(spec.own_cursor));
    wc.lpszClassName = spec.name;
    if (!RegisterClassExW(&wc)) return false;
  }
  return true;
}
