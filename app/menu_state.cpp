#include "app/menu_state.h"

#include <algorithm>

#include "app/command_ids.h"
#include "app/display_mode.h"
#include "app/menu_tree.h"
#include "app/pending_commands.h"
#include "image/comment_formats.h"

namespace {

MenuItemState Enabled(int id, bool enabled) { return {static_cast<uint16_t>(id), enabled, false}; }
MenuItemState Checked(int id, bool checked) { return {static_cast<uint16_t>(id), true, checked}; }

std::vector<MenuItemState> FileStates(const MenuFacts& f) {
  bool file = f.has_image && f.has_current_file;
  bool jpeg_file = file && f.source_format == kSourceJpeg;
  bool comment_file = f.has_image && f.plain_file && HasCommentEditor(f.source_format);
  // Only a file whose load found an Exif block or text chunks has anything to show.
  bool information_file = file && f.information_count > 0 &&
                          (f.source_format == kSourceJpeg || f.source_format == kSourcePng);
  return {Enabled(kCommandReload, file),
          Enabled(kCommandSave, f.has_image && f.display_mode == kDisplayEdit),
          Enabled(kCommandLosslessRotateAgain, jpeg_file),
          Enabled(kCommandLosslessRotateRight, jpeg_file),
          Enabled(kCommandLosslessRotateLeft, jpeg_file),
          Enabled(kCommandComment, comment_file),
          Enabled(kCommandImageInformation, information_file),
          Enabled(kCommandPrint, f.has_image),
          Enabled(kCommandDelete, f.has_current_file),
          Enabled(kCommandPaste, f.clipboard_has_dib)};
}

// The five turns and flips work on any image there is.
std::vector<MenuItemState> TransformStates(const MenuFacts& f) {
  std::vector<MenuItemState> states;
  for (int id = kCommandTurnClockwise; id <= kCommandFlipTopBottom; ++id) {
    states.push_back(Enabled(id, f.has_image));
  }
  return states;
}

std::vector<MenuItemState> FileOrderStates(const MenuFacts& f) {
  int marked = f.file_list_order == 0 ? 5252 : f.file_list_order == 1 ? 5253 : 5254;
  return {Checked(5252, marked == 5252), Checked(5253, marked == 5253),
          Checked(5254, marked == 5254)};
}

std::vector<MenuItemState> ToolStates(const MenuFacts& f) {
  bool view = f.display_mode == kDisplayView;
  return {Enabled(kCommandFileListWindow, f.has_file_list),
          Enabled(kCommandCentreWindow, view),
          Enabled(kSubmenuArrange, view && f.viewer_windows >= 2),
          Checked(kCommandAlwaysOnTop, f.always_on_top),
          {kCommandTitleBar, view, f.title_bar != 0},
          {kCommandTitleBarOnHover, view && !f.title_bar, f.title_bar_on_hover},
          Checked(kCommandBarOnHover, f.bar_on_hover),
          Checked(kCommandNavigatorOnHover, f.navigator_on_hover)};
}

std::vector<MenuItemState> BackgroundStates(const MenuFacts& f) {
  int current = f.display_mode == kDisplayEdit ? f.edit_background : f.view_background;
  std::vector<MenuItemState> states;
  for (int i = 0; i < 5; ++i) states.push_back(Checked(kCommandBackgroundWhite + i, i == current));
  return states;
}

}  // namespace

std::vector<MenuItemState> MenuItemStates(int menu, const MenuFacts& facts) {
  switch (menu) {
    case kSubmenuFile: return FileStates(facts);
    case kSubmenuFileOrder: return FileOrderStates(facts);
    case kSubmenuTransform: return TransformStates(facts);
    case kSubmenuTools: return ToolStates(facts);
    case kSubmenuBackground: return BackgroundStates(facts);
    default: return {};
  }
}

std::vector<MenuItemState> ShownMenuItemStates(int menu, const MenuFacts& facts) {
  std::vector<MenuItemState> states = MenuItemStates(menu, facts);
  ProgramCaptionsPresent every_program;
  every_program.fill(true);
  for (const MenuEntry& entry : MenuEntries(menu, every_program)) {
    if (entry.kind == MenuEntryKind::kSeparator || !IsPendingCommand(entry.id, facts.display_mode))
      continue;
    auto found = std::find_if(states.begin(), states.end(),
                              [&entry](const MenuItemState& s) { return s.id == entry.id; });
    if (found == states.end()) {
      states.push_back(Enabled(entry.id, false));
    } else {
      found->enabled = false;
    }
  }
  return states;
}

int CaptionStringFor(int command, int display_mode) {
  if (command == kCommandToggleEditWindow && display_mode == kDisplayEdit) return kStringBackToView;
  if (command == kCommandFullScreen && display_mode == kDisplayFullScreen) {
    return kStringLeaveFullScreen;
  }
  return command;
}
