// The Windows side of start-up: settings location, language module, dialog
// templates, shortcuts and the launch of further viewers.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "app/app_state.h"
#include "app/command_line_win.h"
#include "app/dialog_loader_win.h"
#include "app/language_module_win.h"
#include "app/open_path_win.h"
#include "app/shell_shortcut_win.h"
#include "app/settings_location_win.h"
#include "lang/string_ids.h"
#include "tests/win/win_test_files.h"

namespace {

TEST(SettingsLocation, JoinsWithOneBackslash) {
  EXPECT_EQ(JoinPath(L"C:\\Users\\a", L"Ovira.ini"), L"C:\\Users\\a\\Ovira.ini");
  EXPECT_EQ(JoinPath(L"C:\\", L"Ovira.ini"), L"C:\\Ovira.ini");
  EXPECT_EQ(JoinPath(L"C:\\data\\", L"Ovira"), L"C:\\data\\Ovira");
}

TEST(SettingsLocation, PortableFileBesideTheProgramWinsOverAppData) {
  std::wstring exe;
  std::wstring roaming = EstablishSettingsPath(&exe);
  ASSERT_FALSE(roaming.empty());
  std::wstring exe_folder = exe.substr(0, exe.find_last_of(L'\\'));
  std::wstring portable = JoinPath(exe_folder, kSettingsFileName);
  ASSERT_NE(roaming, portable) << "a stray Ovira.ini sits beside the test program";
  EXPECT_EQ(roaming.substr(roaming.size() - 16), L"\\Ovira\\Ovira.ini");
  std::wstring folder = roaming.substr(0, roaming.size() - 10);
  EXPECT_TRUE(GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY) << "folder created";

  HANDLE h = CreateFileW(portable.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  EXPECT_EQ(EstablishSettingsPath(&exe), portable);
  DeleteFileW(portable.c_str());

  wchar_t current[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, current);
  EXPECT_EQ(lstrcmpiW(JoinPath(current, L"").c_str(), JoinPath(exe_folder, L"").c_str()), 0)
      << "the program's folder becomes the current directory";
}

TEST(LanguageLoading, FallsBackToEnglishAndChecksTheSignature) {
  std::wstring name;
  HMODULE module = LoadLanguageModule(L"Klingon", &name);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(name, L"English");
  EXPECT_TRUE(HasLanguageSignature(module));
  EXPECT_FALSE(LanguageString(module, IDS_FACE_NAME).empty());
  FreeLibrary(module);

  module = LoadLanguageModule(L"", &name);
  ASSERT_NE(module, nullptr);
  FreeLibrary(module);

  // A library without the signature is no language module.
  EXPECT_FALSE(HasLanguageSignature(GetModuleHandleW(L"kernel32.dll")));
  EXPECT_FALSE(IsUsableLanguageModule(L"kernel32"));
  EXPECT_TRUE(IsUsableLanguageModule(L"English"));
}

// Reads the point size of a patched extended template: it follows the
// fixed header and three strings (menu, class, title).
uint16_t PointSizeOf(const DLGTEMPLATE* dialog) {
  const WORD* p = reinterpret_cast<const WORD*>(dialog) + 13;  // 26-byte fixed part
  for (int field = 0; field < 2; ++field) {                  // menu, class
    if (*p == 0xFFFF) {
      p += 2;
    } else {
      while (*p++) {
      }
    }
  }
  while (*p++) {  // title
  }
  return *p;
}

TEST(DialogLoader, CopiesTheTemplateWithTheInterfaceFontSize) {
  ApplicationState& app = App();
  std::wstring name;
  app.language.reset(LoadLanguageModule(L"English", &name));
  ASSERT_TRUE(app.language);

  app.settings.font_height = -12;
  DialogTemplate normal(IDD_STARTUP_NOTICE);
  ASSERT_NE(normal.get(), nullptr);
  EXPECT_EQ(PointSizeOf(normal.get()), 9);

  app.settings.font_height = -14;
  DialogTemplate large(IDD_STARTUP_NOTICE);
  ASSERT_NE(large.get(), nullptr);
  EXPECT_EQ(PointSizeOf(large.get()), 11);

  DialogTemplate missing(4999);
  EXPECT_EQ(missing.get(), nullptr);
  app.language.reset();
}

TEST(OpenPath, ShortcutsResolveAndFoldersAreNotOpened) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  WinTempDir dir;
  std::wstring target = dir.Write(L"picture.bmp", {'B', 'M', 0, 0, 0, 0, 0, 0});
  std::wstring link_path = dir.File(L"picture.lnk");
  ASSERT_TRUE(CreateShortcut(link_path, target));

  EXPECT_EQ(lstrcmpiW(ResolveShortcut(link_path).c_str(), target.c_str()), 0);
  EXPECT_TRUE(ResolveShortcut(target).empty());
  EXPECT_FALSE(OpenPathFromOutside(dir.path(), 0));
  EXPECT_FALSE(OpenPathFromOutside(dir.path() + L"\\missing.bmp", 0));
  CoUninitialize();
}

TEST(CommandLine, FurtherViewersGetTheQuotedPathAfterV) {
  EXPECT_EQ(ViewerLaunchParameters(L"C:\\my pictures\\b.png"), L"/v \"C:\\my pictures\\b.png\"");
}

}  // namespace
