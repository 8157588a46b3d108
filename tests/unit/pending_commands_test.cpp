// Commands still waiting for their module: which they are, and how the menu
// shows them.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/menu_state.h"
#include "app/menu_tree.h"
#include "app/pending_commands.h"

namespace {

constexpr int kView = 0, kEdit = 1, kFullScreen = 2;

TEST(PendingCommands, ModulesNotWrittenYetAndOnlyThose) {
  for (int command : {5111, 5120, 5149, 5155, 5160, 5164, 5182, 5270, 5276}) {
    EXPECT_TRUE(IsPendingCommand(command, kView)) << command;
    EXPECT_TRUE(IsPendingCommand(command, kEdit)) << command;
  }
  for (int command : {5010, 5011, 5012, 5013, 5014, 5020, 5021, 5030, 5031, 5032, 5035, 5040, 5041,
                      5050, 5060, 5110, 5410, 5150, 5151, 5152, 5153, 5154, 5250, 5252, 5254, 5310, 5311, 5320,
                      5321, 5330, 5331, 5341, 5351, 5355, 5510, 5520, 5530, 5540, 5550, 5700,
                      5703, 5740, 5810, 5161, 5162, 5163, 5900, 5901}) {
    EXPECT_FALSE(IsPendingCommand(command, kView)) << command;
    EXPECT_FALSE(IsPendingCommand(command, kEdit)) << command;
  }
}

TEST(PendingCommands, ZoomPanAndThePanesWorkInEveryMode) {
  for (int command : {5210, 5220, 5230, 5240, 5260, 5265, 5600, 5610, 5611, 5650, 5653, 5710,
                      5720, 5722}) {
    EXPECT_FALSE(IsPendingCommand(command, kView)) << command;
    EXPECT_FALSE(IsPendingCommand(command, kFullScreen)) << command;
    EXPECT_FALSE(IsPendingCommand(command, kEdit)) << command;
  }
}

MenuItemState StateOf(const std::vector<MenuItemState>& states, int id) {
  auto found = std::find_if(states.begin(), states.end(),
                            [id](const MenuItemState& s) { return s.id == id; });
  return found == states.end() ? MenuItemState{uint16_t(id), true, false} : *found;
}

TEST(ShownMenuItemStates, PendingItemsAreGreyedWhateverTheirRulesSay) {
  MenuFacts f;
  f.has_image = true;
  f.has_current_file = true;
  f.source_format = 3;  // a JPEG file: the lossless turns would apply
  f.bar_on_hover = true;
  std::vector<MenuItemState> file = ShownMenuItemStates(kSubmenuFile, f);
  for (int id : {5010, 5011, 5012, 5014, 5020, 5021, 5030, 5050, 5060}) {
    EXPECT_TRUE(StateOf(file, id).enabled) << id;
  }
  std::vector<MenuItemState> tools = ShownMenuItemStates(kSubmenuTools, f);
  EXPECT_EQ(StateOf(tools, 5332), (MenuItemState{5332, true, true})) << "the bar's option";
  EXPECT_TRUE(StateOf(tools, 5320).enabled);
  EXPECT_TRUE(StateOf(ShownMenuItemStates(kMainPopup, f), 5530).enabled);
  EXPECT_TRUE(StateOf(ShownMenuItemStates(kSubmenuPrograms, f), 5410).enabled);
  EXPECT_FALSE(StateOf(ShownMenuItemStates(kSubmenuTransform, f), 5120).enabled);
  for (const MenuEntry& entry : MenuEntries(kSubmenuTransform, {})) {
    if (entry.kind != MenuEntryKind::kItem) continue;
    const bool turn = entry.id >= 5150 && entry.id <= 5154;
    EXPECT_EQ(StateOf(ShownMenuItemStates(kSubmenuTransform, f), entry.id).enabled, turn)
        << entry.id;
  }
  f.has_image = false;
  EXPECT_FALSE(StateOf(ShownMenuItemStates(kSubmenuTransform, f), 5150).enabled)
      << "nothing to turn";
}

TEST(ShownMenuItemStates, TheZoomPopupServesTheEditWindowToo) {
  MenuFacts f;
  f.has_image = true;
  EXPECT_TRUE(StateOf(ShownMenuItemStates(kZoomPopup, f), 5262).enabled);
  f.display_mode = kEdit;
  EXPECT_TRUE(StateOf(ShownMenuItemStates(kZoomPopup, f), 5262).enabled);
  EXPECT_TRUE(StateOf(ShownMenuItemStates(kSubmenuView, f), 5230).enabled);
  EXPECT_TRUE(StateOf(ShownMenuItemStates(kSubmenuFileOrder, f), 5252).enabled);
}

}  // namespace
