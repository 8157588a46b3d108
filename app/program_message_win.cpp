#include "app/program_message_win.h"

#include "app/app_state.h"
#include "image/status_message_win.h"

void ShowProgramMessage(uint32_t code) {
  ApplicationState& app = App();
  ShowStatusMessage(OwnerWindow(), app.language.get(), app.list_window, code);
}
