// What the items of a popup look like when it opens: enabled or greyed,
// checked or not, and the captions that follow the display mode. Computed
// from a snapshot of the program's state so the rules stand on their own.
#pragma once

#include <cstdint>
#include <vector>

struct MenuFacts {
  bool has_image = false;
  bool has_current_file = false;
  bool plain_file = false;    // the current file is a file of its own, not in an archive
  int32_t source_format = 0;  // SourceFormat of the current image
  int information_count = 0;  // Exif block or text chunks the load found
  int display_mode = 0;       // DisplayMode
  bool clipboard_has_dib = false;
  bool has_file_list = false;
  int view_background = 0;    // 0..4
  int edit_background = 0;    // 0..4
  int file_list_order = 0;
  int viewer_windows = 1;     // running viewers, this one included
  bool title_bar = false;
  bool title_bar_on_hover = false;
  bool always_on_top = false;
  bool bar_on_hover = false;
  bool navigator_on_hover = false;
};

struct MenuItemState {
  uint16_t id;  // command, or submenu identifier for a submenu item
  bool enabled;
  bool checked;

  bool operator==(const MenuItemState&) const = default;
};

// The items of `menu` whose state depends on the facts; other items keep
// theirs. Empty for menus without such items.
std::vector<MenuItemState> MenuItemStates(int menu, const MenuFacts& facts);

// What the popup shows: the states above, with every item whose command is
// still pending in the facts' display mode greyed (its check mark kept).
std::vector<MenuItemState> ShownMenuItemStates(int menu, const MenuFacts& facts);

// The language string an item shows: its own identifier, or for the
// commands whose caption follows the mode the string for the current mode.
int CaptionStringFor(int command, int display_mode);
