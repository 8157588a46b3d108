// The menu's shape, the states of its items and the command groups the
// dispatchers use.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/accelerator_slots.h"
#include "app/command_kinds.h"
#include "app/command_program_arguments.h"
#include "app/menu_state.h"
#include "app/menu_tree.h"

namespace {

const ProgramCaptionsPresent kNoPrograms{};

std::vector<int> Ids(const std::vector<MenuEntry>& entries) {
  std::vector<int> ids;
  for (const MenuEntry& e : entries) ids.push_back(e.kind == MenuEntryKind::kSeparator ? 0 : e.id);
  return ids;
}

// Every command reachable from the main and zoom popups.
void CollectCommands(int menu, const ProgramCaptionsPresent& programs, std::set<int>* out) {
  for (const MenuEntry& e : MenuEntries(menu, programs)) {
    if (e.kind == MenuEntryKind::kSubmenu) {
      CollectCommands(e.id, programs, out);
    } else if (e.kind != MenuEntryKind::kSeparator) {
      out->insert(e.id);
    }
  }
}

TEST(MenuTree, PopupsAndSubmenusInOrder) {
  EXPECT_EQ(Ids(MenuEntries(kMainPopup, kNoPrograms)),
            (std::vector<int>{5000, 5100, 5200, 5300, 5400, 5500, 0, 5530, 5540, 5550}));
  EXPECT_EQ(Ids(MenuEntries(kSubmenuEdit, kNoPrograms)),
            (std::vector<int>{5106, 5107, 5108, 0, 5111, 5110}));
  EXPECT_EQ(Ids(MenuEntries(kZoomPopup, kNoPrograms)),
            (std::vector<int>{5260, 5261, 5262, 0, 5263, 5264, 5265}));
  EXPECT_EQ(Ids(MenuEntries(kSubmenuHelp, kNoPrograms)), (std::vector<int>{5510, 0, 5515, 0, 5520}));
  std::vector<int> file = Ids(MenuEntries(kSubmenuFile, kNoPrograms));
  EXPECT_EQ(std::count(file.begin(), file.end(), 0), 7) << "one after 5011 and six more";
  file.erase(std::remove(file.begin(), file.end(), 0), file.end());
  EXPECT_EQ(file, (std::vector<int>{5010, 5011, 5012, 5013, 5014, 5021, 5020, 5030, 5035, 5031,
                                    5032, 5040, 5041, 5050, 5060}));
  for (const MenuEntry& e : MenuEntries(kSubmenuFileOrder, kNoPrograms)) {
    EXPECT_EQ(e.kind, MenuEntryKind::kRadioItem);
  }
  EXPECT_TRUE(MenuEntries(5252, kNoPrograms).empty());
}

TEST(MenuTree, ProgramsMenuListsCaptionedProgramsOrAPlaceholder) {
  EXPECT_EQ(Ids(MenuEntries(kSubmenuPrograms, kNoPrograms)), (std::vector<int>{5430, 0, 5410}));
  ProgramCaptionsPresent some{};
  some[1] = some[7] = true;
  EXPECT_EQ(Ids(MenuEntries(kSubmenuPrograms, some)), (std::vector<int>{5421, 5427, 0, 5410}));
}

TEST(MenuTree, EverySlotIsListedOnceWithOrWithoutAnItem) {
  ProgramCaptionsPresent all;
  all.fill(true);
  std::set<int> in_menu;
  CollectCommands(kMainPopup, all, &in_menu);
  CollectCommands(kZoomPopup, all, &in_menu);
  for (uint16_t command : SlotCommands()) {
    bool listed_without = std::count(CommandsWithoutMenuItem().begin(),
                                     CommandsWithoutMenuItem().end(), command) == 1;
    EXPECT_NE(in_menu.count(command) == 1, listed_without) << command;
  }
}

TEST(MenuState, FileItemsFollowTheImageAndItsFile) {
  MenuFacts f;
  auto state = [&](int id) {
    for (const MenuItemState& s : MenuItemStates(kSubmenuFile, f)) {
      if (s.id == id) return s.enabled;
    }
    return true;  // untouched: stays enabled
  };
  for (int id : {5011, 5013, 5014, 5020, 5021, 5040, 5041, 5031, 5032, 5060}) {
    EXPECT_FALSE(state(id)) << id;
  }
  for (int id : {5010, 5012, 5030, 5035, 5050}) EXPECT_TRUE(state(id)) << id;
  f.has_image = true;
  EXPECT_TRUE(state(5060)) << "a pasted picture prints too";
  f.source_format = 2;  // PNG, pasted: no file
  EXPECT_FALSE(state(5040)) << "a comment lives in a file";
  EXPECT_FALSE(state(5041)) << "a pasted picture has no Exif block or text chunks";
  EXPECT_FALSE(state(5011));
  EXPECT_FALSE(state(5013));
  f.has_current_file = true;
  f.display_mode = 1;
  f.clipboard_has_dib = true;
  EXPECT_TRUE(state(5011) && state(5013) && state(5032) && state(5031));
  EXPECT_FALSE(state(5014) || state(5020) || state(5021));
  f.source_format = 3;
  EXPECT_TRUE(state(5014) && state(5020) && state(5021));
  EXPECT_FALSE(state(5040)) << "JPEG comments wait for their editor";
  f.source_format = 1;
  EXPECT_FALSE(state(5040));
  EXPECT_FALSE(state(5041)) << "no load found anything to show";
  f.information_count = 1;
  EXPECT_FALSE(state(5041)) << "BMP files carry neither";
  for (int32_t format : {2, 3}) {
    f.source_format = format;
    EXPECT_TRUE(state(5041)) << format;
  }
}

TEST(MenuState, TheCommentNeedsAPngImageFromAFileOfItsOwn) {
  MenuFacts f;
  auto comment = [&f] {
    for (const MenuItemState& s : MenuItemStates(kSubmenuFile, f)) {
      if (s.id == 5040) return s.enabled;
    }
    return true;
  };
  f.source_format = 2;
  f.has_current_file = true;  // an archive member: a current path, but no file of its own
  EXPECT_FALSE(comment());
  f.has_image = true;
  EXPECT_FALSE(comment());
  f.plain_file = true;
  EXPECT_TRUE(comment());
  f.has_image = false;  // the file could not be read
  EXPECT_FALSE(comment());
}

TEST(MenuState, ToolsFollowTheModeAndFlags) {
  MenuFacts f;
  f.title_bar = true;
  f.title_bar_on_hover = true;
  f.always_on_top = true;
  f.viewer_windows = 2;
  auto find = [](const std::vector<MenuItemState>& states, int id) {
    return *std::find_if(states.begin(), states.end(), [id](const MenuItemState& s) { return s.id == id; });
  };
  std::vector<MenuItemState> view = MenuItemStates(kSubmenuTools, f);
  EXPECT_EQ(find(view, 5330), (MenuItemState{5330, true, true}));
  EXPECT_EQ(find(view, 5331), (MenuItemState{5331, false, true})) << "title bar already shown";
  EXPECT_EQ(find(view, 5320), (MenuItemState{5320, true, true}));
  EXPECT_TRUE(find(view, kSubmenuArrange).enabled);
  EXPECT_TRUE(find(view, 5321).enabled);
  EXPECT_FALSE(find(view, 5311).enabled) << "no file list";
  f.display_mode = 2;  // full screen
  std::vector<MenuItemState> full = MenuItemStates(kSubmenuTools, f);
  EXPECT_FALSE(find(full, kSubmenuArrange).enabled);
  EXPECT_FALSE(find(full, 5321).enabled || find(full, 5330).enabled || find(full, 5331).enabled);
  f.display_mode = 0;
  f.viewer_windows = 1;
  EXPECT_FALSE(find(MenuItemStates(kSubmenuTools, f), kSubmenuArrange).enabled);
}

TEST(MenuState, RadioAndBackgroundMarks) {
  MenuFacts f;
  f.file_list_order = 7;
  f.view_background = 3;
  f.edit_background = 1;
  auto checked = [&](int menu) {
    std::vector<int> ids;
    for (const MenuItemState& s : MenuItemStates(menu, f)) {
      if (s.checked) ids.push_back(s.id);
    }
    return ids;
  };
  EXPECT_EQ(checked(kSubmenuFileOrder), std::vector<int>{5254});
  EXPECT_EQ(checked(kSubmenuBackground), std::vector<int>{5344});
  f.display_mode = 1;
  f.file_list_order = 1;
  EXPECT_EQ(checked(kSubmenuBackground), std::vector<int>{5342});
  EXPECT_EQ(checked(kSubmenuFileOrder), std::vector<int>{5253});
}

TEST(MenuState, CaptionsFollowTheMode) {
  EXPECT_EQ(CaptionStringFor(5310, 0), 5310);
  EXPECT_EQ(CaptionStringFor(5310, 1), 5309);
  EXPECT_EQ(CaptionStringFor(5530, 0), 5530);
  EXPECT_EQ(CaptionStringFor(5530, 2), 5531);
  EXPECT_EQ(CaptionStringFor(5550, 2), 5550);
}

TEST(CommandKinds, GroupsOfTheDispatchers) {
  for (int c : {5120, 5140, 5150, 5154, 5165, 5180, 5182, 5270, 5276}) EXPECT_TRUE(IsImageEditCommand(c)) << c;
  for (int c : {5110, 5111, 5210, 5260, 5900}) EXPECT_FALSE(IsImageEditCommand(c)) << c;
  for (int c : {5210, 5265, 5600, 5611, 5650, 5653, 5710, 5722, 5740, 5900, 5901}) {
    EXPECT_TRUE(IsAllowedDuringAdjustment(c)) << c;
  }
  for (int c : {5010, 5013, 5160, 5310, 5410, 5510, 5530, 5550, 5700}) {
    EXPECT_FALSE(IsAllowedDuringAdjustment(c)) << c;
  }
  EXPECT_EQ(ExternalProgramIndex(5420), 0);
  EXPECT_EQ(ExternalProgramIndex(5427), 7);
  EXPECT_EQ(ExternalProgramIndex(5428), -1);
  EXPECT_EQ(ExternalProgramIndex(5419), -1);
}

TEST(ExternalProgramParameters, QuotedFileAndTheEntryForQuorvand) {
  EXPECT_EQ(ExternalProgramParameters(u"C:\\x\\edit.exe", u"", 3), u"");
  EXPECT_EQ(ExternalProgramParameters(u"C:\\x\\edit.exe", u"C:\\a b\\c.png", 3),
            u"\"C:\\a b\\c.png\"");
  EXPECT_EQ(ExternalProgramParameters(u"C:\\x\\QUORVAND.EXE", u"C:\\a.zip", 12),
            u"/z12 \"C:\\a.zip\"");
  EXPECT_EQ(ExternalProgramParameters(u"Quorvand.exe", u"C:\\a.zip", -4), u"/z-4 \"C:\\a.zip\"");
  EXPECT_EQ(ExternalProgramParameters(u"C:\\x\\Quorvand.exe", u"C:\\a.png", std::nullopt),
            u"\"C:\\a.png\"") << "not in a file list";
  EXPECT_EQ(ExternalProgramParameters(u"C:\\x\\NotQuorvand.exe", u"C:\\a.png", 1), u"\"C:\\a.png\"");
}

}  // namespace

TEST(MenuHolding, FindsTheInnermostMenuOfACommand) {
  EXPECT_EQ(MenuHolding(5010), kSubmenuFile);
  EXPECT_EQ(MenuHolding(5150), kSubmenuTransform);
  EXPECT_EQ(MenuHolding(5425), kSubmenuPrograms);
  EXPECT_EQ(MenuHolding(5410), kSubmenuPrograms);
  EXPECT_EQ(MenuHolding(4999), 0);
}
