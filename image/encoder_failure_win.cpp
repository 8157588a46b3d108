#include "image/encoder_failure_win.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/program_message_win.h"
#include "image/ansi_text_win.h"

namespace {

bool HasOwnMessage(Status status) {
  return status == Status::kNoMemory ||
         (status >= Status::kCopyFailed && status <= Status::kEncodeFailed);
}

}  // namespace

void ShowEncoderFailure(Status status, const std::string& library_text) {
  if (HasOwnMessage(status) || library_text.empty()) {
    ShowProgramMessage(StatusCode(status));
    return;
  }
  MessageBoxW(OwnerWindow(), FromAnsiCodePage(library_text).c_str(), L"JPEG Library Error",
              MB_OK | MB_ICONERROR);
}
