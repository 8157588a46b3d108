#include "app/help_win.h"

#include <windows.h>
#include <htmlhelp.h>
#include <shellapi.h>

#include <string>

#include "app/app_state.h"
#include "app/settings_location_win.h"
#include "image/path_parts.h"

namespace {

constexpr wchar_t kHelpFile[] = L"Ovira.chm";
constexpr wchar_t kHelpPage[] = L"Ovira_help.html";
constexpr wchar_t kOnlineHelp[] = L"https://ovira.example.org/help/";

std::wstring BesideProgram(const wchar_t* name) {
  std::wstring folder = FolderOfPath(App().exe_path);
  return folder.empty() ? std::wstring(name) : folder + L'\\' + name;
}

void OpenInBrowser(const std::wstring& target) {
  ShellExecuteW(OwnerWindow(), L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

void ShowHelp() {
  std::wstring help_file = BesideProgram(kHelpFile);
  if (IsFile(help_file) &&
      HtmlHelpW(OwnerWindow(), help_file.c_str(), HH_DISPLAY_TOPIC, 0) != nullptr) {
    return;
  }
  std::wstring page = BesideProgram(kHelpPage);
  OpenInBrowser(IsFile(page) ? page : std::wstring(kOnlineHelp));
}
