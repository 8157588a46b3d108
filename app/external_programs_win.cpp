#include "app/external_programs_win.h"

#include <windows.h>
#include <shellapi.h>

#include "app/app_state.h"
#include "app/command_program_arguments.h"
#include "app/command_seams_win.h"
#include "app/display_mode_win.h"
#include "app/wide_text.h"
#include "image/status_message_win.h"

namespace {

constexpr uint32_t kCannotStartProgram = 30010;

// The program opens over us: a full-screen or topmost viewer would hide it.
void MakeWayForProgram() {
  ApplicationState& app = App();
  if (app.display_mode == kDisplayFullScreen) ToggleFullScreen();
  if (!app.settings.always_on_top) return;
  app.settings.always_on_top = 0;
  SetWindowPos(app.view_window, HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (app.display_mode == kDisplayEdit) SetForegroundWindow(app.edit_window);
}

}  // namespace

void RunExternalProgram(int index) {
  ApplicationState& app = App();
  if (index < 0 || index >= kExternalProgramCount) return;
  std::wstring program = ToWide(app.settings.program_paths[static_cast<size_t>(index)]);
  if (program.empty()) return;
  MakeWayForProgram();
  std::wstring parameters =
      ToWide(ExternalProgramParameters(ToU16(program), ToU16(app.document.path), CurrentEntryKey()));
  SHELLEXECUTEINFOW run = {sizeof(run)};
  run.fMask = SEE_MASK_FLAG_NO_UI;
  run.hwnd = OwnerWindow();
  run.lpFile = program.c_str();
  run.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
  run.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&run)) {
    ShowStatusMessage(OwnerWindow(), app.language.get(), nullptr, kCannotStartProgram);
  }
}
