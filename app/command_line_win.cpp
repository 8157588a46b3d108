#include "app/command_line_win.h"

#include <windows.h>
#include <shellapi.h>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/commands_win.h"
#include "app/display_mode_win.h"
#include "app/open_path_win.h"
#include "app/wide_text.h"
#include "view/edit_window_win.h"
#include "view/slideshow_win.h"

namespace {

bool OpenCommandPath(const CommandLine& command) {
  return !command.path.empty() && OpenPathFromOutside(ToWide(command.path), command.entry_key);
}

void ShowViewNormally() {
  ShowWindow(App().view_window, SW_SHOWNORMAL);
  UpdateWindow(App().view_window);
}

void CreateEdit() { CreateEditWindow(App().instance); }

// Without a switch, the settings choose the first window.
void StartBySettings(const CommandLine& command, int show_command) {
  int mode = App().settings.start_display_mode;
  if (mode == kDisplayEdit) {
    CreateEdit();
    SwitchDisplayMode(kDisplayEdit, show_command);
    OpenCommandPath(command);
  } else if (mode == kDisplayFullScreen || show_command == SW_SHOWMAXIMIZED) {
    SwitchDisplayMode(kDisplayFullScreen);
    UpdateWindow(App().view_window);
    OpenCommandPath(command);
    CreateEdit();
  } else {
    ShowViewNormally();
    OpenCommandPath(command);
    CreateEdit();
  }
}

}  // namespace

std::vector<std::u16string> ProcessArguments() {
  int count = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::u16string> args;
  for (int i = 1; argv && i < count; ++i) args.push_back(ToU16(argv[i]));
  if (argv) LocalFree(argv);
  return args;
}

std::wstring ViewerLaunchParameters(const std::wstring& path) { return L"/v \"" + path + L"\""; }

void LaunchViewerFor(const std::wstring& path) {
  std::wstring parameters = ViewerLaunchParameters(path);
  SHELLEXECUTEINFOW info = {sizeof(info)};
  info.fMask = SEE_MASK_FLAG_NO_UI;
  info.lpFile = App().exe_path.c_str();
  info.lpParameters = parameters.c_str();
  info.nShow = SW_SHOWNORMAL;
  ShellExecuteExW(&info);
}

bool InterpretCommandLine(const CommandLine& command, int show_command) {
  bool notice_allowed = true;
  switch (command.switch_letter) {
    case u'a':
      CreateEdit();
      SwitchDisplayMode(kDisplayFullScreen);
      if (OpenCommandPath(command)) StartSlideshow();
      break;
    case u'f':
      SwitchDisplayMode(kDisplayFullScreen);
      OpenCommandPath(command);
      CreateEdit();
      break;
    case u'o':
      CreateEdit();
      RunViewCommand(kCommandOptions);
      PostMessageW(App().view_window, WM_CLOSE, 0, 0);
      notice_allowed = false;
      break;
    case u's':
      CreateEdit();
      SwitchDisplayMode(kDisplayEdit);
      OpenCommandPath(command);
      break;
    case u'v':
      ShowViewNormally();
      OpenCommandPath(command);
      CreateEdit();
      break;
    case 0:
      StartBySettings(command, show_command);
      break;
    default:  // an unknown switch: a normal start without a file
      StartBySettings(CommandLine{}, show_command);
      break;
  }
  for (const std::u16string& extra : command.extra) LaunchViewerFor(ToWide(extra));
  return notice_allowed;
}
