// The commands both dispatchers hand on unchanged: documents, the window's
// flags, external programs, help and closing.
#include <windows.h>

#include "adjust/options_dialog_win.h"

#include "app/about_box_win.h"
#include "app/app_state.h"
#include "app/command_kinds.h"
#include "app/command_seams_win.h"
#include "app/commands_win.h"
#include "app/display_mode_win.h"
#include "app/external_programs_win.h"
#include "app/help_win.h"
#include "app/startup_notice_win.h"
#include "app/window_placement.h"
#include "image/document_win.h"
#include "view/file_list_window_win.h"
#include "view/hover_frame_win.h"
#include "view/print_dialog_win.h"
#include "view/slideshow_win.h"
#include "view/view_window_win.h"

namespace {

void ToggleAlwaysOnTop() {
  ApplicationState& app = App();
  app.settings.always_on_top = !app.settings.always_on_top;
  SetWindowPos(app.view_window, app.settings.always_on_top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0,
               0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void StartOrStopSlideshow() {
  if (App().slideshow_running) {
    StopSlideshow();
  } else {
    StartSlideshow();
  }
}

void MinimiseOrRestore() {
  StopSlideshow();
  HWND owner = OwnerWindow();
  ShowWindow(owner, IsIconic(owner) ? SW_RESTORE : SW_MINIMIZE);
}

void Close() {
  StopSlideshow();
  PostMessageW(App().view_window, WM_CLOSE, 0, 0);
}

// The hover options only say what hovering does next time.
void ToggleFlag(uint8_t& flag) { flag = !flag; }

}  // namespace

void CentreViewWindow() {
  HWND view = App().view_window;
  RECT work = WorkAreaNear(view);
  RECT frame;
  GetWindowRect(view, &frame);
  ScreenRect centred = CentreInWorkArea(frame.right - frame.left, frame.bottom - frame.top,
                                        {work.left, work.top, work.right, work.bottom});
  SetWindowPos(view, nullptr, centred.left, centred.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void RunSharedCommand(int command) {
  if (RunDocumentCommand(command)) return;
  int program = ExternalProgramIndex(command);
  if (program >= 0) {
    RunExternalProgram(program);
    return;
  }
  SettingsValues& s = App().settings;
  switch (command) {
    case kCommandAlwaysOnTop: ToggleAlwaysOnTop(); break;
    case kCommandTitleBar: ToggleTitleBar(); break;
    case kCommandTitleBarOnHover: ToggleHoverFrame(); break;
    case kCommandSlideshow: StartOrStopSlideshow(); break;
    case kCommandFileListWindow: ToggleFileListWindow(); break;
    case kCommandBarOnHover: ToggleFlag(s.bar_on_hover); break;
    case kCommandNavigatorOnHover: ToggleFlag(s.navigator_on_hover); break;
    case kCommandHelp: ShowHelp(); break;
    case kCommandStartupNotice: ShowStartupNotice(); break;
    case kCommandAbout: ShowAboutBox(); break;
    case kCommandPrint: PrintCurrentImage(); break;
    case kCommandOptions: ShowOptionsDialog(); break;
    case kCommandFullScreen: ToggleFullScreen(); break;
    case kCommandMinimise: MinimiseOrRestore(); break;
    case kCommandClose: Close(); break;
    default: RunCommandOfMissingModule(command); break;
  }
}
