#include "app/commands_win.h"

#include "app/app_state.h"
#include "app/command_seams_win.h"

namespace {

constexpr WORD kFromAccelerator = 1;

// A key pressed in the middle of a mouse operation would act on a view
// that is about to change under the pointer; a minimised window only
// answers the key that restores it.
bool AcceptsAccelerator(int command) {
  ApplicationState& app = App();
  if (app.mouse_state != 0) return false;
  return command == kCommandMinimise || !IsIconic(OwnerWindow());
}

}  // namespace

void OnViewWindowCommand(WPARAM wparam) {
  int command = LOWORD(wparam);
  if (HIWORD(wparam) == kFromAccelerator && !AcceptsAccelerator(command)) return;
  if (App().display_mode == kDisplayEdit) {
    DispatchEditCommand(command);
  } else {
    DispatchViewCommand(command);
  }
}

void OnEditWindowCommand(WPARAM wparam) {
  int command = LOWORD(wparam);
  if (command >= kFirstCommand) {
    DispatchEditCommand(command);
  } else {
    RunCommandOfMissingModule(command);
  }
}

void RunViewCommand(int command) { OnViewWindowCommand(MAKEWPARAM(command, 0)); }
