#include "app/startup_win.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <ctime>

#include "app/accelerator_table_win.h"
#include "app/app_state.h"
#include "app/command_line_win.h"
#include "app/interface_font_win.h"
#include "app/language_module_win.h"
#include "app/menu_build_win.h"
#include "app/settings_environment_win.h"
#include "app/settings_load.h"
#include "app/settings_location_win.h"
#include "app/settings_reader.h"
#include "app/single_instance_win.h"
#include "app/startup_notice_win.h"
#include "app/wide_text.h"
#include "app/window_classes_win.h"
#include "lang/string_ids.h"
#include "view/view_window_win.h"

namespace {

constexpr wchar_t kCannotRun[] = L"Failed to execute file.";
constexpr wchar_t kNoLanguage[] = L"Language file not found.";
constexpr int kLanguageEntry = 0;

void LoadCursors() {
  ApplicationState& app = App();
  app.cursor_arrow = LoadCursorW(nullptr, IDC_ARROW);
  app.cursor_wait = LoadCursorW(nullptr, IDC_WAIT);
  app.cursor_background = LoadCursorW(nullptr, IDC_APPSTARTING);
  app.cursor_not_allowed = LoadCursorW(nullptr, IDC_NO);
  app.cursor_eyedropper = LoadCursorW(app.instance, MAKEINTRESOURCEW(kEyedropperCursorId));
  app.cursor_label_drag = LoadCursorW(app.instance, MAKEINTRESOURCEW(kLabelDragCursorId));
}

void InitCommonControlClasses() {
  INITCOMMONCONTROLSEX init = {sizeof(init), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                                 ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_TREEVIEW_CLASSES |
                                                 ICC_COOL_CLASSES};
  InitCommonControlsEx(&init);
}

bool LoadLanguage(const SettingsReader& reader) {
  ApplicationState& app = App();
  std::wstring wanted = ToWide(reader.ReadString(kLanguageEntry));
  app.language.reset(LoadLanguageModule(wanted, &app.language_name));
  return static_cast<bool>(app.language);
}

}  // namespace

void ShowFatalStartupError(const wchar_t* text) {
  MessageBoxW(nullptr, text, L"Error", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

bool StartUp(int show_command) {
  ApplicationState& app = App();
  if (app.os_class == 0) {
    ShowFatalStartupError(kCannotRun);
    return false;
  }
  app.settings_path = EstablishSettingsPath(&app.exe_path);
  if (app.settings_path.empty()) {
    ShowFatalStartupError(kCannotRun);
    return false;
  }

  SettingsReader reader;  // open until the command line has been handled
  reader.Open(app.settings_path.c_str());
  if (!LoadLanguage(reader)) {
    ShowFatalStartupError(kNoLanguage);
    return false;
  }
  if (HandOverToRunningViewer(reader)) {
    app.language.reset();
    return false;
  }

  std::srand(static_cast<unsigned>(std::time(nullptr)));
  LoadCursors();
  LoadAllSettings(reader, app.settings, MakeSettingsEnvironment());
  BuildAcceleratorTable();
  app.panel_brush.reset(CreateSolidBrush(RGB(0xF0, 0xF0, 0xF0)));
  CreateInterfaceFont();
  BuildMenus();
  if (!RegisterWindowClasses(app.instance)) return false;
  InitCommonControlClasses();
  if (!CreateViewWindow(app.instance)) return false;
  bool notice_allowed = InterpretCommandLine(ParseCommandLine(ProcessArguments()), show_command);
  reader.Close();

  if (notice_allowed && app.settings.show_startup_notice) ShowStartupNotice();
  return true;
}
