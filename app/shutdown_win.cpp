#include "app/shutdown_win.h"

#include <windows.h>

#include <vector>

#include "app/accelerator_table_win.h"
#include "adjust/adjustment_run_win.h"
#include "app/app_state.h"
#include "app/menu_build_win.h"
#include "app/menu_popup_win.h"
#include "app/settings_environment_win.h"
#include "app/settings_save.h"
#include "app/settings_writer.h"
#include "image/document_win.h"
#include "image/folder_watch_win.h"
#include "image/image_buffer.h"
#include "image/save_preview_win.h"
#include "view/tool_strip_win.h"

namespace {

// The restored rectangle in screen coordinates. For a window that is
// maximised or minimised the placement's rectangle is in work-area
// coordinates, which differ when a task bar sits left or top.
SettingsRect RestoredRect(HWND window) {
  WINDOWPLACEMENT placement = {sizeof(placement)};
  RECT r = {};
  if (IsIconic(window) || IsZoomed(window)) {
    GetWindowPlacement(window, &placement);
    r = placement.rcNormalPosition;
    MONITORINFO info = {sizeof(info)};
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) {
      OffsetRect(&r, info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top);
    }
  } else {
    GetWindowRect(window, &r);
  }
  return {r.left, r.top, r.right, r.bottom};
}

std::vector<uint8_t> AcceleratorRecords() {
  ApplicationState& app = App();
  // Without a key table (it could not be created), whatever the file held
  // goes back unchanged.
  if (!app.accelerators) return app.settings.accelerator_records;
  return AcceleratorTableBytes(app.accelerators.get());
}

SettingsWindowState CurrentWindowState() {
  ApplicationState& app = App();
  SettingsWindowState state;
  state.view_restored = RestoredRect(app.view_window);
  if (app.edit_window && app.edit_window_shown) {
    state.edit_restored = RestoredRect(app.edit_window);
    state.edit_maximised = IsZoomed(app.edit_window) != 0;
  } else {
    // Never shown this run: keep what was saved last time.
    const SettingsValues& s = app.settings;
    state.edit_restored = {s.edit_left, s.edit_top, s.edit_left + s.edit_width,
                           s.edit_top + s.edit_height};
    state.edit_maximised = s.edit_maximised != 0;
  }
  state.edit_toolstrip_rows = app.edit_window ? ToolStripRows() : app.settings.edit_toolstrip_rows;
  state.accelerator_records = AcceleratorRecords();
  return state;
}

void ReleaseResources() {
  ApplicationState& app = App();
  FinishAdjustment(false);  // its worker must not outlive the image it reads
  app.modified = false;
  app.printer.reset();
  if (app.view_dc) SelectObject(app.view_dc, GetStockObject(DEFAULT_GUI_FONT));
  StopWatchingFolder();
  DiscardSavePreview();
  ReleasePixels(&app.staging);
  ReleasePixels(&app.current);
  app.panel_brush.reset();
  DestroyMenuOwner();
  DestroyMenus();
}

// The language module is unloaded as soon as the writer holds the file;
// nothing after this point shows text.
void WriteSettingsAndUnload() {
  ApplicationState& app = App();
  SettingsWindowState window = CurrentWindowState();
  SettingsWriter writer;
  bool open = writer.Open(app.settings_path.c_str());
  app.language.reset();
  if (open) {
    SaveAllSettings(writer, app.settings, window, MakeSettingsEnvironment());
    writer.Finish();
  }
  app.accelerators.reset();
}

}  // namespace

void CloseProgram() {
  ApplicationState& app = App();
  if (app.shutting_down) return;
  if (!SettleUnsavedChanges()) return;
  app.shutting_down = true;
  ReleaseResources();
  WriteSettingsAndUnload();
  DestroyWindow(app.view_window);
}

void EndSession() {
  ApplicationState& app = App();
  if (app.shutting_down) return;
  app.shutting_down = true;
  ReleaseResources();
  WriteSettingsAndUnload();
}
