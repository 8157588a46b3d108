#include "app/menu_tree.h"

#include <cstddef>
#include <initializer_list>

#include "app/command_ids.h"

namespace {

constexpr MenuEntry Item(uint16_t id) { return {MenuEntryKind::kItem, id}; }
constexpr MenuEntry Radio(uint16_t id) { return {MenuEntryKind::kRadioItem, id}; }
constexpr MenuEntry Sub(uint16_t id) { return {MenuEntryKind::kSubmenu, id}; }
constexpr MenuEntry kSep = {MenuEntryKind::kSeparator, kMenuSeparatorId};

std::vector<MenuEntry> Entries(std::initializer_list<MenuEntry> entries) { return entries; }

std::vector<MenuEntry> ProgramEntries(const ProgramCaptionsPresent& programs) {
  std::vector<MenuEntry> entries;
  for (size_t i = 0; i < programs.size(); ++i) {
    if (programs[i]) entries.push_back(Item(static_cast<uint16_t>(kCommandExternalProgram1 + i)));
  }
  if (entries.empty()) entries.push_back(Item(kCommandNoExternalProgram));
  entries.push_back(kSep);
  entries.push_back(Item(kCommandOptions));
  return entries;
}

}  // namespace

std::vector<MenuEntry> MenuEntries(int menu, const ProgramCaptionsPresent& programs) {
  switch (menu) {
    case kMainPopup:
      return Entries({Sub(5000), Sub(5100), Sub(5200), Sub(5300), Sub(5400), Sub(5500), kSep,
                      Item(5530), Item(5540), Item(5550)});
    case kSubmenuFile:
      return Entries({Item(5010), Item(5011), kSep, Item(5012), Item(5013), kSep, Item(5014),
                      Item(5021), Item(5020), kSep, Item(5030), Item(5035), Item(5031), kSep,
                      Item(5032), kSep, Item(5040), Item(5041), kSep, Item(5050), kSep,
                      Item(5060)});
    case kSubmenuEdit:
      return Entries({Sub(5106), Sub(5107), Sub(5108), kSep, Item(5111), Item(5110)});
    case kSubmenuTransform:
      return Entries({Item(5120), Item(5121), Item(5122), kSep, Item(5123), kSep, Item(5140),
                      kSep, Item(5152), Item(5150), Item(5151), kSep, Item(5153), Item(5154)});
    case kSubmenuColour:
      return Entries({Item(5160), Item(5180), kSep, Item(5166), Item(5161), Item(5162),
                      Item(5163), kSep, Item(5168), Item(5164), Item(5181), Item(5167),
                      Item(5165), kSep, Item(5170), Item(5171), Item(5172), Item(5182)});
    case kSubmenuFilter:
      return Entries({Item(5270), kSep, Item(5271), Item(5272), kSep, Item(5273), Item(5274),
                      kSep, Item(5275), Item(5276)});
    case kSubmenuView:
      return Entries({Item(5210), Item(5220), kSep, Item(5230), Item(5240), kSep, Item(5250),
                      kSep, Sub(5251)});
    case kSubmenuFileOrder:
      return Entries({Radio(5252), Radio(5253), Radio(5254)});
    case kSubmenuTools:
      return Entries({Item(5310), Item(5311), kSep, Item(5320), Item(5321), kSep, Item(5330),
                      Item(5331), Item(5332), Item(5333), kSep, Sub(5340), Sub(5350)});
    case kSubmenuBackground:
      return Entries({Item(5341), Item(5342), Item(5343), Item(5344), Item(5345)});
    case kSubmenuArrange:
      return Entries({Item(5351), Item(5352), Item(5353), Item(5354), Item(5355)});
    case kSubmenuPrograms:
      return ProgramEntries(programs);
    case kSubmenuHelp:
      return Entries({Item(5510), kSep, Item(5515), kSep, Item(5520)});
    case kZoomPopup:
      return Entries({Item(5260), Item(5261), Item(5262), kSep, Item(5263), Item(5264),
                      Item(5265)});
    default:
      return {};
  }
}

const std::vector<uint16_t>& CommandsWithoutMenuItem() {
  static const std::vector<uint16_t> commands = {5600, 5610, 5611, 5650, 5651, 5652, 5653,
                                                 5700, 5701, 5702, 5703, 5810, 5720, 5721,
                                                 5722, 5710, 5740};
  return commands;
}

namespace {

int MenuHoldingIn(int menu, int command, const ProgramCaptionsPresent& programs) {
  for (const MenuEntry& entry : MenuEntries(menu, programs)) {
    if (entry.kind == MenuEntryKind::kSubmenu) {
      if (int inner = MenuHoldingIn(entry.id, command, programs)) return inner;
    } else if (entry.kind != MenuEntryKind::kSeparator && entry.id == command) {
      return menu;
    }
  }
  return 0;
}

}  // namespace

int MenuHolding(int command) {
  ProgramCaptionsPresent every_program;
  every_program.fill(true);
  for (int popup : {kMainPopup, kZoomPopup}) {
    if (int menu = MenuHoldingIn(popup, command, every_program)) return menu;
  }
  return 0;
}
