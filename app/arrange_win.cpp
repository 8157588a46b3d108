#include "app/arrange_win.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "app/app_state.h"
#include "app/commands_win.h"
#include "app/window_arrangement.h"
#include "app/window_classes_win.h"
#include "view/file_list_window_win.h"
#include "view/view_control_win.h"
#include "view/view_window_win.h"

namespace {

constexpr size_t kPlacementBytes = 16;  // x, y, width, height: signed 32-bit

bool IsViewerClass(HWND window) {
  wchar_t name[64];
  int n = GetClassNameW(window, name, 64);
  if (n != static_cast<int>(wcslen(kViewWindowClass))) return false;
  for (int i = 0; i < n; ++i) {
    wchar_t a = name[i], b = kViewWindowClass[i];
    if (a >= L'A' && a <= L'Z') a = static_cast<wchar_t>(a - L'A' + L'a');
    if (b >= L'A' && b <= L'Z') b = static_cast<wchar_t>(b - L'A' + L'a');
    if (a != b) return false;
  }
  return true;
}

BOOL CALLBACK CollectViewer(HWND window, LPARAM param) {
  if (IsViewerClass(window)) reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  return TRUE;
}

// Every viewer window, the other processes' in the system's order and ours last.
std::vector<HWND> ViewersOwnLast() {
  std::vector<HWND> all;
  EnumWindows(CollectViewer, reinterpret_cast<LPARAM>(&all));
  std::vector<HWND> ordered;
  for (HWND w : all) {
    if (w != App().view_window) ordered.push_back(w);
  }
  ordered.push_back(App().view_window);
  return ordered;
}

void Send(HWND target, ULONG_PTR kind, const void* data, DWORD size) {
  if (target == App().view_window) {
    HandleArrangementMessage(kind, data, size);
    return;
  }
  SetForegroundWindow(target);
  COPYDATASTRUCT copy = {kind, size, const_cast<void*>(data)};
  SendMessageW(target, WM_COPYDATA, reinterpret_cast<WPARAM>(App().view_window),
               reinterpret_cast<LPARAM>(&copy));
}

void EncodePlacement(const ScreenRect& cell, uint8_t* out) {
  int32_t values[4] = {cell.left, cell.top, cell.width(), cell.height()};
  std::memcpy(out, values, sizeof(values));
}

void MoveIntoCell(const ScreenRect& cell) {
  ApplicationState& app = App();
  CloseFileListWindow();
  RECT frame;
  GetWindowRect(app.view_window, &frame);
  ScreenRect placed = PlaceInCell({frame.left, frame.top, frame.right, frame.bottom}, cell,
                                  app.settings.view_follows_image);
  SetWindowPos(app.view_window, nullptr, placed.left, placed.top, placed.width(),
               placed.height(), SWP_NOZORDER | SWP_NOACTIVATE);
  RECT area = {cell.left, cell.top, cell.right, cell.bottom};
  RefitFollowingWindow(area);
}

// A window that follows the image is centred and then refitted to the whole
// work area, which it may have been kept from by an earlier arrangement.
void CentreAndRefit() {
  RunViewCommand(kCommandCentreWindow);
  RefitFollowingWindow(WorkAreaNear(App().view_window));
}

}  // namespace

void ArrangeViewers(int command) {
  ApplicationState& app = App();
  if (app.display_mode != kDisplayView) return;
  std::vector<HWND> viewers = ViewersOwnLast();
  if (viewers.size() < 2) return;

  if (command == kCommandCentreAll || command == kCommandCloseAll) {
    ULONG_PTR kind = command == kCommandCentreAll ? kArrangeCentre : kArrangeClose;
    for (HWND w : viewers) Send(w, kind, nullptr, 0);
    return;
  }
  RECT work = WorkAreaNear(app.view_window);
  std::vector<ScreenRect> cells = ArrangementCells(
      command, static_cast<int>(viewers.size()), {work.left, work.top, work.right, work.bottom});
  for (size_t i = 0; i < viewers.size() && i < cells.size(); ++i) {
    uint8_t record[kPlacementBytes];
    EncodePlacement(cells[i], record);
    Send(viewers[i], kArrangePlace, record, kPlacementBytes);
  }
}

void HandleArrangementMessage(ULONG_PTR kind, const void* data, size_t size) {
  CloseFileListWindow();
  switch (kind) {
    case kArrangePlace: {
      if (size != kPlacementBytes || !data) return;
      int32_t v[4];
      std::memcpy(v, data, sizeof(v));
      // The record comes from another process: refuse sizes that make no
      // window or whose far edges would overflow.
      if (v[2] <= 0 || v[3] <= 0 || int64_t{v[0]} + v[2] > INT32_MAX ||
          int64_t{v[1]} + v[3] > INT32_MAX)
        return;
      MoveIntoCell({v[0], v[1], v[0] + v[2], v[1] + v[3]});
      break;
    }
    case kArrangeCentre:
      CentreAndRefit();
      break;
    case kArrangeClose:
      RunViewCommand(kCommandClose);
      break;
  }
}
