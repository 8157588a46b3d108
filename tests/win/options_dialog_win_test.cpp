// The options dialog in the test's own process: a timer inside its modal
// loop plays the user's part, then OK or Cancel ends it.
#include "adjust/options_dialog_win.h"

#include "adjust/bindings_dialog_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "app/accelerator_table_win.h"
#include "app/app_state.h"
#include "app/language_module_win.h"
#include "app/menu_build_win.h"
#include "app/menu_items_win.h"
#include "app/settings_reader.h"
#include "tests/win/win_test_files.h"

namespace {

HWND Descendant(HWND root, int id) {
  for (HWND child = GetWindow(root, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(child) == id) return child;
    if (HWND deeper = Descendant(child, id)) return deeper;
  }
  return nullptr;
}

// What the "user" does once the dialog is up, and the button that ends it.
std::function<void(HWND dialog)> g_user;
int g_end_with = IDOK;
int g_ticks = 0;
bool g_shown = false;

BOOL CALLBACK FindOptions(HWND window, LPARAM found) {
  if (IsWindowVisible(window) && Descendant(window, 3001)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK PlayUser(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindOptions, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog && ++g_ticks < 50) return;
  KillTimer(nullptr, timer);
  if (!dialog) return;
  g_shown = true;
  if (g_user) g_user(dialog);
  PostMessageW(dialog, WM_COMMAND, g_end_with, 0);
}

class OptionsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ApplicationState& app = App();
    app.instance = GetModuleHandleW(nullptr);
    app.settings = SettingsValues{};
    app.settings.slideshow_interval = 5;
    app.display_mode = kDisplayView;
    // Windows other tests left behind are gone; the dialog needs no owner.
    app.view_window = app.edit_window = app.list_window = nullptr;
    app.settings_path = dir_.File(L"Ovira.ini");
    std::wstring name;
    app.language.reset(LoadLanguageModule(L"English", &name));
    app.language_name = name;
    ASSERT_TRUE(app.language);
    BuildAcceleratorTable();
    BuildMenus();
  }
  void TearDown() override {
    DestroyMenus();
    App().accelerators.reset();
    App().language.reset();
    g_user = nullptr;
  }
  void Run(std::function<void(HWND)> user, int end_with) {
    g_user = std::move(user);
    g_end_with = end_with;
    g_ticks = 0;
    g_shown = false;
    SetTimer(nullptr, 0, 100, PlayUser);
    ShowOptionsDialog();
    EXPECT_TRUE(g_shown) << "the options dialog came up";
  }
  WinTempDir dir_;
};

TEST_F(OptionsDialogTest, OkPutsTheProgramsIntoTheMenuAndTheStartEntriesIntoTheFile) {
  Run([](HWND dialog) {
        SetWindowTextW(Descendant(dialog, 3410), L"Paint");
        SetWindowTextW(Descendant(dialog, 3420), L"C:\\Tools\\paint.exe");
        CheckRadioButton(GetParent(Descendant(dialog, 3121)), 3120, 3122, 3121);
        CheckDlgButton(GetParent(Descendant(dialog, 3130)), 3130, BST_CHECKED);
      },
      IDOK);
  const SettingsValues& s = App().settings;
  EXPECT_EQ(s.program_captions[0], u"Paint");
  EXPECT_EQ(s.program_paths[0], u"C:\\Tools\\paint.exe");
  MenuItemRecord* record = FindMenuItemRecord(5420);
  ASSERT_NE(record, nullptr) << "the menu was built again with program 1";
  EXPECT_EQ(record->caption, L"Paint");
  EXPECT_EQ(FindMenuItemRecord(5430), nullptr) << "the placeholder is gone";

  SettingsReader reader;
  ASSERT_TRUE(reader.Open(App().settings_path.c_str()));
  EXPECT_EQ(reader.ReadInt(1, -1), 1) << "hand-over written at once";
  EXPECT_EQ(reader.ReadInt(2, -1), 1) << "start in the edit window written at once";
}

TEST_F(OptionsDialogTest, CancelLeavesEverySettingAsItWas) {
  const SettingsValues before = App().settings;
  Run([](HWND dialog) {
        SetWindowTextW(Descendant(dialog, 3172), L"30");
        SetWindowTextW(Descendant(dialog, 3410), L"Paint");
      },
      IDCANCEL);
  EXPECT_TRUE(App().settings == before);
  EXPECT_EQ(GetFileAttributesW(App().settings_path.c_str()), INVALID_FILE_ATTRIBUTES)
      << "nothing written";
}

TEST_F(OptionsDialogTest, NumberFieldsAreHeldInTheirRangesAndGammaReadInThousandths) {
  Run([](HWND dialog) {
        SetWindowTextW(Descendant(dialog, 3172), L"0");
        SetWindowTextW(Descendant(dialog, 3352), L"x");
        SetWindowTextW(Descendant(dialog, 3160), L"1.8");
      },
      IDOK);
  EXPECT_EQ(App().settings.slideshow_interval, 1);
  EXPECT_EQ(App().settings.drag_threshold, 0);
  EXPECT_EQ(App().settings.png_display_gamma, 1800);
}

}  // namespace

namespace {

TEST_F(OptionsDialogTest, InstalledBindingsBecomeTheKeyTableTheMenuAndTheMouseSlots) {
  BindingEdit edit = CurrentBindings();
  const int row = SlotOfCommand(5703);
  ASSERT_EQ(AssignKey(&edit, row, 'K', true, false), BindingRefusal::kNone);
  ASSERT_EQ(RemoveMouse(&edit, SlotOfCommand(5550)), BindingRefusal::kNone);
  SettingsValues settings = App().settings;
  InstallBindings(&edit, &settings);
  EXPECT_FALSE(edit.keys_changed || edit.mouse_changed);
  EXPECT_EQ(settings.mouse_bindings[kMouseLeftDoubleClick], 0);

  ACCEL table[200];
  int count = CopyAcceleratorTableW(App().accelerators.get(), table, 200);
  bool found = false;
  for (int i = 0; i < count; ++i) {
    found |= table[i].cmd == 5703 && table[i].key == 'K' &&
             (table[i].fVirt & (FCONTROL | FSHIFT | FVIRTKEY)) == (FCONTROL | FVIRTKEY);
  }
  EXPECT_TRUE(found) << "Ctrl+K runs Next Image";
  BuildMenus();
  MenuItemRecord* record = FindMenuItemRecord(5703);
  ASSERT_NE(record, nullptr);
  EXPECT_STREQ(record->modifier_prefix, "Ctrl+");
  EXPECT_STREQ(record->key_name, "K");
  // The key table read back is the edited one.
  EXPECT_EQ(CurrentBindings().keys[row].key, 'K');
}

}  // namespace
