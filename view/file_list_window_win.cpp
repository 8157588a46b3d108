#include "view/file_list_window_win.h"

#include "app/app_state.h"
#include "app/drop_files_win.h"
#include "app/gdi_guards_win.h"
#include "app/language_module_win.h"
#include "app/window_classes_win.h"
#include "image/document_win.h"
#include "lang/string_ids.h"
#include "view/edit_panes_win.h"
#include "view/file_list_place.h"
#include "view/file_list_row_paint_win.h"
#include "view/view_window_win.h"

namespace {

ApplicationState& A() { return App(); }

HWND ListBox() {
  HWND list = A().list_window;
  return list ? GetDlgItem(list, kFileListBoxId) : nullptr;
}

ScreenRect ToScreenRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

HWND WindowInUse() {
  ApplicationState& app = A();
  return app.display_mode == kDisplayEdit && app.edit_window ? app.edit_window : app.view_window;
}

// The fallback under the edit window's tool strip, from its client
// coordinates to the screen's.
int32_t StripBottomOnScreen(HWND edit) {
  POINT strip = {0, EditPaneArea().top};
  ClientToScreen(edit, &strip);
  return strip.y;
}

FileListPlaceInput PlaceInput(HWND list) {
  ApplicationState& app = A();
  HWND in_use = WindowInUse();
  RECT frame = {}, own = {};
  GetWindowRect(in_use, &frame);
  GetWindowRect(list, &own);
  FileListPlaceInput in;
  in.mode = app.display_mode;
  in.in_use = ToScreenRect(frame);
  in.work_area = ToScreenRect(WorkAreaNear(in_use));
  in.width = own.right - own.left;
  in.height = own.bottom - own.top;
  if (app.display_mode == kDisplayView && app.settings.show_title_bar)
    in.caption_height = GetSystemMetrics(SM_CYCAPTION);
  if (app.display_mode == kDisplayEdit) in.strip_bottom = StripBottomOnScreen(in_use);
  return in;
}

// Shown without activation: the focus stays on the window in use. Above
// it, too, when that window stays on top of all others.
void MoveBesideWindowInUse(HWND list) {
  ScreenRect at = FileListPlace(PlaceInput(list));
  HWND above = A().settings.always_on_top ? HWND_TOPMOST : HWND_TOP;
  SetWindowPos(list, above, at.left, at.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

// Move, Size and Close are all a tool window needs.
void TrimSystemMenu(HWND list) {
  HMENU menu = GetSystemMenu(list, FALSE);
  if (!menu) return;
  for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) {
    UINT id = GetMenuItemID(menu, i);
    if (id != SC_MOVE && id != SC_SIZE && id != SC_CLOSE) DeleteMenu(menu, i, MF_BYPOSITION);
  }
}

int RowHeight(HWND box) {
  WindowDcGuard dc(box);
  SelectionGuard font(dc.get(), A().ui_font.get());
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc.get(), &metrics);
  return metrics.tmHeight + 2;
}

HWND CreateListBox(HWND list) {
  RECT client;
  GetClientRect(list, &client);
  HWND box = CreateWindowExW(
      0, L"LISTBOX", nullptr,
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_NOTIFY |
          LBS_NOINTEGRALHEIGHT,
      0, 0, client.right, client.bottom, list,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFileListBoxId)), A().instance, nullptr);
  if (box) SendMessageW(box, LB_SETITEMHEIGHT, 0, RowHeight(box));
  return box;
}

HWND CreateFileListWindow() {
  ApplicationState& app = A();
  std::wstring title = LanguageString(app.language.get(), IDS_FILE_LIST_TITLE);
  HWND list = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES, kListWindowClass,
                              title.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                              0, 0, app.list_width, app.list_height, app.edit_window, nullptr,
                              app.instance, nullptr);
  if (!list) return nullptr;
  if (!CreateListBox(list)) {
    DestroyWindow(list);
    return nullptr;
  }
  TrimSystemMenu(list);
  return list;
}

// A row the user picked opens after the save question; a cancelled
// question puts the selection back on the entry still shown.
void OpenSelectedRow(HWND box) {
  ApplicationState& app = A();
  LRESULT row = SendMessageW(box, LB_GETCURSEL, 0, 0);
  if (row == LB_ERR || static_cast<size_t>(row) >= app.file_list.count()) return;
  if (static_cast<size_t>(row) == app.file_list.current()) return;
  if (!SettleUnsavedChanges()) {
    RefreshFileListWindow();
    return;
  }
  OpenListEntry(static_cast<size_t>(row));
}

void RememberSize(HWND list) {
  RECT frame;
  if (!GetWindowRect(list, &frame)) return;
  A().list_width = frame.right - frame.left;
  A().list_height = frame.bottom - frame.top;
}

void OnSize(HWND list, int width, int height) {
  HWND box = GetDlgItem(list, kFileListBoxId);
  if (!box) return;
  MoveWindow(box, 0, 0, width, height, TRUE);
  // The right-aligned columns move with the width.
  InvalidateRect(box, nullptr, TRUE);
}

void OnCommand(WPARAM wparam, LPARAM lparam) {
  if (LOWORD(wparam) == kFileListBoxId && HIWORD(wparam) == LBN_SELCHANGE)
    OpenSelectedRow(reinterpret_cast<HWND>(lparam));
}

void OnDestroy(HWND list) {
  RememberSize(list);
  if (A().list_window == list) A().list_window = nullptr;
}

}  // namespace

LRESULT CALLBACK FileListWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE: OnSize(window, LOWORD(lparam), HIWORD(lparam)); return 0;
    case WM_DRAWITEM:
      if (wparam != kFileListBoxId) break;
      PaintFileListRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam), A().file_list,
                       A().ui_font.get());
      return TRUE;
    case WM_COMMAND: OnCommand(wparam, lparam); return 0;
    case WM_DROPFILES: HandleDroppedFiles(reinterpret_cast<HDROP>(wparam)); return 0;
    case WM_CLOSE: CloseFileListWindow(); return 0;
    case WM_DESTROY: OnDestroy(window); return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

bool ShowFileListWindow() {
  ApplicationState& app = A();
  if (app.file_list.empty()) return false;
  if (!app.list_window) app.list_window = CreateFileListWindow();
  if (!app.list_window) return false;
  RefreshFileListWindow();
  MoveBesideWindowInUse(app.list_window);
  return true;
}

void ToggleFileListWindow() {
  if (!A().list_window) {
    ShowFileListWindow();
    return;
  }
  CloseFileListWindow();
}

void CloseFileListWindow() {
  HWND list = A().list_window;
  if (!list) return;
  // Destroying the active window would hand activation to its owner, which
  // is hidden outside the edit window: give it to the window in use first.
  if (GetActiveWindow() == list) SetActiveWindow(WindowInUse());
  DestroyWindow(list);
}

void PlaceFileListWindow() {
  HWND list = A().list_window;
  if (list && IsWindowVisible(list)) MoveBesideWindowInUse(list);
}

void RefreshFileListWindow() {
  HWND box = ListBox();
  if (!box) return;
  const FileList& files = A().file_list;
  const auto count = static_cast<WPARAM>(files.count());
  if (static_cast<WPARAM>(SendMessageW(box, LB_GETCOUNT, 0, 0)) != count)
    SendMessageW(box, LB_SETCOUNT, count, 0);
  SendMessageW(box, LB_SETCURSEL, count ? static_cast<WPARAM>(files.current()) : WPARAM(-1), 0);
  // A re-sort keeps the count but changes every row.
  InvalidateRect(box, nullptr, TRUE);
}
