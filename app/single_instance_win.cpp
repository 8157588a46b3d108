#include "app/single_instance_win.h"

#include "app/app_state.h"
#include "app/arrange_win.h"
#include "app/command_line_win.h"
#include "app/commands_win.h"
#include "app/display_mode_win.h"
#include "app/handover_record.h"
#include "app/open_path_win.h"
#include "app/settings_reader.h"
#include "app/wide_text.h"
#include "app/window_classes_win.h"
#include "view/slideshow_win.h"

namespace {

constexpr int kHandOverEntry = 1;
constexpr ULONG_PTR kHandOverMessage = 0;

bool WantsHandOver(const SettingsReader& settings) {
  return settings.IsValid() && settings.EntryCount() > 1 && settings.HasInline(kHandOverEntry) &&
         settings.ReadInt(kHandOverEntry, 0) != 0;
}

void OpenHandedPath(const CommandLine& command, int entry_key) {
  if (!command.path.empty()) OpenPathFromOutside(ToWide(command.path), entry_key);
}

void ReceiveHandOver(const CommandLine& command) {
  ApplicationState& app = App();
  switch (command.switch_letter) {
    case u'a':
      if (app.display_mode == kDisplayEdit) SwitchDisplayMode(kDisplayView);
      SwitchDisplayMode(kDisplayFullScreen);
      if (!command.path.empty() && OpenPathFromOutside(ToWide(command.path), command.entry_key))
        StartSlideshow();
      break;
    case u'f':
      SwitchDisplayMode(kDisplayFullScreen);
      OpenHandedPath(command, command.entry_key);
      break;
    case u'o':
      RunViewCommand(kCommandOptions);
      break;
    case u's':
      SwitchDisplayMode(kDisplayEdit);
      OpenHandedPath(command, command.entry_key);
      break;
    case u'v':
      SwitchDisplayMode(kDisplayView);
      OpenHandedPath(command, command.entry_key);
      break;
    default:
      OpenHandedPath(command, 0);
      break;
  }
}

}  // namespace

bool HandOverToRunningViewer(const SettingsReader& settings) {
  if (!WantsHandOver(settings)) return false;
  HWND target = FindWindowW(kViewWindowClass, nullptr);
  if (!target) return false;
  if (!IsWindowVisible(target)) {
    if (HWND edit = FindWindowW(kEditWindowClass, nullptr)) target = edit;
  }
  if (IsIconic(target)) ShowWindowAsync(target, SW_RESTORE);
  SetForegroundWindow(target);

  auto record = EncodeHandover(ParseCommandLine(ProcessArguments()));
  COPYDATASTRUCT copy = {kHandOverMessage, static_cast<DWORD>(record.size()), record.data()};
  SendMessageW(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
  return true;
}

void HandleCopyData(const COPYDATASTRUCT* copy) {
  if (!copy) return;
  if (copy->dwData != kHandOverMessage) {
    HandleArrangementMessage(copy->dwData, copy->lpData, copy->cbData);
    return;
  }
  CommandLine command;
  if (DecodeHandover(static_cast<const uint8_t*>(copy->lpData), copy->cbData, &command)) {
    ReceiveHandOver(command);
  }
}
