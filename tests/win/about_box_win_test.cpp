// The about box: modal over the owner with its own window classes.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/about_box_win.h"
#include "app/app_state.h"
#include "app/language_module_win.h"
#include "lang/string_ids.h"

namespace {

struct SeenBox {
  bool found = false;
  bool owner_disabled = false;
  bool accelerators_suspended = false;
  std::wstring title;
  RECT client = {};
  bool has_link = false;
};
SeenBox seen;

// Runs inside the box's own message loop: looks, then closes the box.
void CALLBACK LookAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = FindWindowW(L"version_info_class", nullptr);
  if (!box) return;
  KillTimer(nullptr, timer);
  seen.found = true;
  seen.owner_disabled = !IsWindowEnabled(App().view_window);
  seen.accelerators_suspended = App().accelerators_suspended;
  wchar_t title[64] = {};
  GetWindowTextW(box, title, 64);
  seen.title = title;
  GetClientRect(box, &seen.client);
  seen.has_link = FindWindowExW(box, nullptr, L"version_url_class", nullptr) != nullptr;
  PostMessageW(box, WM_CLOSE, 0, 0);
}

TEST(AboutBox, ModalOverTheOwnerWhileItIsOpen) {
  ApplicationState& app = App();
  app.instance = GetModuleHandleW(nullptr);
  std::wstring name;
  app.language.reset(LoadLanguageModule(L"English", &name));
  app.display_mode = kDisplayView;
  app.accelerators_suspended = false;
  app.view_window = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 100, 100, 500,
                                    400, nullptr, nullptr, app.instance, nullptr);
  ASSERT_NE(app.view_window, nullptr);
  SetTimer(nullptr, 0, 50, LookAndClose);
  ShowAboutBox();

  EXPECT_TRUE(seen.found);
  EXPECT_TRUE(seen.owner_disabled);
  EXPECT_TRUE(seen.accelerators_suspended);
  EXPECT_EQ(seen.title, L"About Ovira");
  EXPECT_EQ(seen.client.right, 274);
  EXPECT_EQ(seen.client.bottom, 75);
  EXPECT_TRUE(seen.has_link);
  EXPECT_TRUE(IsWindowEnabled(app.view_window)) << "the owner is enabled again";
  EXPECT_FALSE(app.accelerators_suspended);
  WNDCLASSEXW info = {sizeof(info)};
  EXPECT_FALSE(GetClassInfoExW(app.instance, L"version_info_class", &info))
      << "the classes live only as long as the box";
  std::wstring notice = LanguageString(app.language.get(), IDS_ABOUT_NOTICE);
  EXPECT_EQ(notice.substr(0, 2), L"\u00A9 ") << "the notice comes from the language module";
  DestroyWindow(app.view_window);
  app.view_window = nullptr;
  app.language.reset();
}

}  // namespace
