// The menu built from the English language module: its items, their
// records and binding texts, their states as popups open, and drawing.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/accelerator_records.h"
#include "app/accelerator_table_win.h"
#include "app/app_state.h"
#include "app/command_seams_win.h"
#include "app/language_module_win.h"
#include "app/menu_build_win.h"
#include "app/menu_draw_win.h"
#include "app/menu_refresh_win.h"
#include "app/menu_tree.h"

namespace {

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ApplicationState& app = App();
    app.instance = GetModuleHandleW(nullptr);
    app.settings = SettingsValues{};
    app.display_mode = kDisplayView;
    std::wstring name;
    app.language.reset(LoadLanguageModule(L"English", &name));
    ASSERT_TRUE(app.language);
  }
  void TearDown() override {
    DestroyMenus();
    App().accelerators.reset();
    App().language.reset();
  }
  void Build() {
    BuildAcceleratorTable();
    BuildMenus();
  }
  // The popup of `id` found by walking the menu.
  static HMENU Submenu(HMENU menu, int id) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      MENUITEMINFOW info = {sizeof(info)};
      info.fMask = MIIM_ID | MIIM_SUBMENU;
      GetMenuItemInfoW(menu, UINT(i), TRUE, &info);
      if (!info.hSubMenu) continue;
      if (int(info.wID) == id) return info.hSubMenu;
      if (HMENU inner = Submenu(info.hSubMenu, id)) return inner;
    }
    return nullptr;
  }
  static std::vector<int> Ids(HMENU menu) {
    std::vector<int> ids;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      MENUITEMINFOW info = {sizeof(info)};
      info.fMask = MIIM_ID;
      GetMenuItemInfoW(menu, UINT(i), TRUE, &info);
      ids.push_back(int(info.wID));
    }
    return ids;
  }
  static UINT State(HMENU menu, int id) { return GetMenuState(menu, UINT(id), MF_BYCOMMAND); }
};

TEST_F(MenuTest, ItemsAreOwnerDrawnWithCaptionsAndBindings) {
  Build();
  ASSERT_EQ(GetMenuItemCount(App().menu.get()), 2);
  EXPECT_EQ(Ids(MainPopup()),
            (std::vector<int>{5000, 5100, 5200, 5300, 5400, 5500, 9900, 5530, 5540, 5550}));
  EXPECT_EQ(Ids(ZoomPopup()), (std::vector<int>{5260, 5261, 5262, 9900, 5263, 5264, 5265}));
  MENUITEMINFOW info = {sizeof(info)};
  info.fMask = MIIM_FTYPE | MIIM_DATA;
  GetMenuItemInfoW(MainPopup(), 6, TRUE, &info);
  EXPECT_EQ(info.fType, UINT(MFT_SEPARATOR));
  GetMenuItemInfoW(App().menu.get(), 5253, FALSE, &info);
  EXPECT_EQ(info.fType, UINT(MFT_OWNERDRAW | MFT_RADIOCHECK));
  GetMenuItemInfoW(App().menu.get(), 5010, FALSE, &info);
  EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
  auto* open = reinterpret_cast<const MenuItemRecord*>(info.dwItemData);
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->command, 5010);
  EXPECT_EQ(open->caption, L"&Open...");
  EXPECT_STREQ(open->modifier_prefix, "Ctrl+");
  EXPECT_STREQ(open->key_name, "O");
  EXPECT_STREQ(FindMenuItemRecord(5041)->key_name, "CapsLock");
  EXPECT_STREQ(FindMenuItemRecord(5120)->key_name, "") << "unbound";
  EXPECT_EQ(FindMenuItemRecord(5103), nullptr) << "no such command";
  ASSERT_NE(FindMenuItemRecord(5653), nullptr) << "bindable without a menu item";
  EXPECT_STREQ(FindMenuItemRecord(5653)->modifier_prefix, "Shift+");
  EXPECT_EQ(FindMenuItemRecord(5000)->caption, L"&File");
}

TEST_F(MenuTest, ProgramsMenuShowsTheUsersCaptions) {
  Build();
  HMENU programs = Submenu(MainPopup(), kSubmenuPrograms);
  EXPECT_EQ(Ids(programs), (std::vector<int>{5430, 9900, 5410}));
  EXPECT_TRUE(State(programs, 5430) & MF_GRAYED);
  DestroyMenus();
  App().settings.program_captions[2] = u"&Paint";
  App().settings.program_captions[5] = u"Viewer";
  BuildMenus();
  programs = Submenu(MainPopup(), kSubmenuPrograms);
  EXPECT_EQ(Ids(programs), (std::vector<int>{5422, 5425, 9900, 5410}));
  EXPECT_EQ(FindMenuItemRecord(5422)->caption, L"&Paint");
  EXPECT_STREQ(FindMenuItemRecord(5422)->key_name, "3");
}

TEST_F(MenuTest, StoredBindingWithoutSlotStaysInTheTableOnly) {
  App().settings.accelerator_records = EncodeAccelRecords({{1, 'Q', 5550}, {1, 'B', 5346}});
  Build();
  EXPECT_EQ(AcceleratorTableBytes(App().accelerators.get()), App().settings.accelerator_records);
  EXPECT_STREQ(FindMenuItemRecord(5550)->key_name, "Q");
  EXPECT_STREQ(FindMenuItemRecord(5600)->key_name, "") << "not stored: unbound";
  EXPECT_EQ(FindMenuItemRecord(5346), nullptr);
}

TEST_F(MenuTest, DefaultTableGoesBackToTheSettingsAsBuilt) {
  Build();
  EXPECT_EQ(AcceleratorTableBytes(App().accelerators.get()),
            EncodeAccelRecords(TableFromSlots(DefaultBindingSlots())));
}

TEST_F(MenuTest, PopupsArePreparedOncePerMenuLoop) {
  App().settings.show_title_bar = 1;
  App().settings.view_background = 4;
  Build();
  HMENU tools = Submenu(MainPopup(), kSubmenuTools);
  HMENU backgrounds = Submenu(tools, kSubmenuBackground);
  PreparePopup(tools);
  PreparePopup(backgrounds);
  EXPECT_TRUE(State(tools, 5330) & MF_CHECKED);
  EXPECT_TRUE(State(tools, 5331) & MF_GRAYED);
  EXPECT_TRUE(State(backgrounds, 5345) & MF_CHECKED);
  EXPECT_EQ(FindMenuItemRecord(5310)->caption, L"&Edit Window");
  // Within the same loop nothing changes; the next loop sees the new mode.
  App().display_mode = kDisplayEdit;
  App().settings.edit_background = 1;
  PreparePopup(backgrounds);
  EXPECT_TRUE(State(backgrounds, 5345) & MF_CHECKED);
  ForgetPreparedPopups();
  PreparePopup(tools);
  PreparePopup(backgrounds);
  EXPECT_FALSE(State(backgrounds, 5345) & MF_CHECKED);
  EXPECT_TRUE(State(backgrounds, 5342) & MF_CHECKED);
  EXPECT_TRUE(State(tools, 5330) & MF_GRAYED) << "only in the plain view";
  EXPECT_EQ(FindMenuItemRecord(5310)->caption, L"&View Window");
  ForgetPreparedPopups();
}

// Opens every popup below `menu` as the menu loop would.
void PrepareAll(HMENU menu) {
  PreparePopup(menu);
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    if (HMENU inner = GetSubMenu(menu, i)) PrepareAll(inner);
  }
}

TEST_F(MenuTest, ItemsOfCommandsWithoutTheirModuleAreGreyed) {
  App().settings.title_bar_on_hover = 1;
  Build();
  PrepareAll(MainPopup());
  HMENU root = App().menu.get();
  for (int id : {5041, 5111, 5120, 5160, 5270}) {
    EXPECT_TRUE(State(root, id) & MF_GRAYED) << id;
  }
  for (int id : {5010, 5012, 5030, 5110, 5230, 5250, 5310, 5320, 5321, 5330, 5332, 5333, 5341,
                 5510, 5520, 5530, 5540, 5550}) {
    EXPECT_FALSE(State(root, id) & MF_GRAYED) << id;
  }
  ForgetPreparedPopups();
  App().display_mode = kDisplayEdit;
  PrepareAll(MainPopup());
  PrepareAll(ZoomPopup());
  EXPECT_FALSE(State(root, 5230) & MF_GRAYED) << "the panes zoom";
  EXPECT_FALSE(State(root, 5262) & MF_GRAYED);
  EXPECT_FALSE(State(root, 5341) & MF_GRAYED);
  ForgetPreparedPopups();
}

// An item drawn into a bitmap of its own.
class ItemPicture {
 public:
  static constexpr int kWidth = 400, kHeight = 24;
  ItemPicture() {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, kWidth, kHeight);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~ItemPicture() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  void Draw(int command) {
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_MENU;
    item.itemID = UINT(command);
    item.hDC = dc_;
    item.rcItem = {0, 0, kWidth, kHeight};
    item.hwndItem = reinterpret_cast<HWND>(App().menu.get());
    item.itemData = reinterpret_cast<ULONG_PTR>(FindMenuItemRecord(command));
    DrawMenuItem(&item);
  }
  // Pixels in columns [from, to) that differ from the item's background.
  int Ink(int from, int to) const {
    COLORREF background = GetPixel(dc_, kWidth / 2, 0);
    int n = 0;
    for (int x = from; x < to; ++x) {
      for (int y = 0; y < kHeight; ++y) n += GetPixel(dc_, x, y) != background;
    }
    return n;
  }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

TEST_F(MenuTest, BindingTextIsDrawnRightOfTheCaption) {
  Build();
  ItemPicture picture;
  const int w = ItemPicture::kWidth;
  picture.Draw(5010);
  EXPECT_GT(picture.Ink(0, 120), 0) << "caption on the left";
  EXPECT_GT(picture.Ink(w - 120, w), 0) << "binding on the right";
  picture.Draw(5120);
  EXPECT_GT(picture.Ink(0, 120), 0);
  EXPECT_EQ(picture.Ink(w - 120, w), 0) << "unbound: nothing on the right";

  MEASUREITEMSTRUCT measure = {};
  measure.CtlType = ODT_MENU;
  measure.itemData = reinterpret_cast<ULONG_PTR>(FindMenuItemRecord(5120));
  MeasureMenuItem(&measure);
  UINT without_binding = measure.itemWidth;
  App().key_slots[size_t(SlotOfCommand(5120))] = {kAccelVirtKey | kAccelControl, 'T', 5120};
  RefreshMenuBindings();
  MeasureMenuItem(&measure);
  EXPECT_GT(measure.itemWidth, without_binding + 24) << "room for the binding";
  EXPECT_GT(measure.itemHeight, 10u);
}

}  // namespace

namespace {

TEST(CommandSeams, ArchiveMembersCarryTheirKey) {
  FileList& list = App().file_list;
  list.AssignFolder({{u"a.png", u"", 0, {}, 1}, {u"b.png", u"", 0, {}, 2}}, SortOrder::kName, u"b.png");
  EXPECT_TRUE(HasFileList());
  EXPECT_EQ(CurrentEntryKey(), std::nullopt) << "a file is found by its path";
  list.AssignArchive({{u"x.png", u"", 7, {}, 1}, {u"y.png", u"", 9, {}, 2}}, SortOrder::kName, 9u);
  EXPECT_EQ(CurrentEntryKey(), std::optional<int32_t>(9));
  list.Clear();
  EXPECT_FALSE(HasFileList());
  EXPECT_EQ(CurrentEntryKey(), std::nullopt);
}

}  // namespace
