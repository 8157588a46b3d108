// The shape of the program's one menu: the main popup (the view window's
// context menu and the edit window's menu) and the zoom popup, every
// submenu and item in its order. Captions are language strings numbered by
// the entry's identifier.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

enum class MenuEntryKind : uint8_t { kItem, kRadioItem, kSeparator, kSubmenu };

struct MenuEntry {
  MenuEntryKind kind;
  uint16_t id;  // command, submenu identifier, or kMenuSeparatorId

  bool operator==(const MenuEntry&) const = default;
};

constexpr uint16_t kMenuSeparatorId = 9900;

// The two popups of the root; neither is a command.
constexpr int kMainPopup = 1;
constexpr int kZoomPopup = 2;

constexpr int kSubmenuFile = 5000;
constexpr int kSubmenuEdit = 5100;
constexpr int kSubmenuTransform = 5106;
constexpr int kSubmenuColour = 5107;
constexpr int kSubmenuFilter = 5108;
constexpr int kSubmenuView = 5200;
constexpr int kSubmenuFileOrder = 5251;
constexpr int kSubmenuTools = 5300;
constexpr int kSubmenuBackground = 5340;
constexpr int kSubmenuArrange = 5350;
constexpr int kSubmenuPrograms = 5400;
constexpr int kSubmenuHelp = 5500;

// Which external programs have a caption, by program number 1..8.
using ProgramCaptionsPresent = std::array<bool, 8>;

// The entries of a popup or submenu in order; the programs submenu lists
// the programs that have a caption (a disabled placeholder when none does).
// Empty for an identifier that is not a menu.
std::vector<MenuEntry> MenuEntries(int menu, const ProgramCaptionsPresent& programs);

// The innermost submenu (or popup) whose items include `command`, with
// every program listed; 0 when no menu holds it.
int MenuHolding(int command);

// Commands that can be bound but have no menu item; they are listed with
// the items so that their bindings can be shown all the same.
const std::vector<uint16_t>& CommandsWithoutMenuItem();
