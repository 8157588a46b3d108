#include "app/commands_win.h"

#include "app/app_state.h"
#include "app/command_seams_win.h"
#include "app/pending_commands.h"

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

// Dropped before any dispatcher sees it, so that nothing switches windows
// for a command that could not then answer.
bool IsPending(int command) { return IsPendingCommand(command, App().display_mode); }

}  // namespace

void OnViewWindowCommand(WPARAM wparam) {
  int command = LOWORD(wparam);
  if (IsPending(command)) return;
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
    if (!IsPending(command)) DispatchEditCommand(command);
  } else {
    RunCommandOfMissingModule(command);
  }
}

void RunViewCommand(int command) { OnViewWindowCommand(MAKEWPARAM(command, 0)); }
