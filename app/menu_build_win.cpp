#include "app/menu_build_win.h"

#include <algorithm>
#include <memory>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/command_kinds.h"
#include "app/key_names.h"
#include "app/language_module_win.h"
#include "app/menu_tree.h"
#include "app/wide_text.h"

namespace {

// The second half of a caption (typically the mnemonic) is kept short.
constexpr size_t kCaptionSuffixLimit = 32;
constexpr int kCaptionSuffixOffset = 10000;

std::wstring LanguageCaption(int string_id) {
  HMODULE language = App().language.get();
  std::wstring suffix = LanguageString(language, static_cast<UINT>(string_id + kCaptionSuffixOffset));
  if (suffix.size() > kCaptionSuffixLimit) suffix.resize(kCaptionSuffixLimit);
  return LanguageString(language, static_cast<UINT>(string_id)) + suffix;
}

// External programs are captioned by the user; everything else by the
// language module.
std::wstring CaptionOf(int id) {
  int program = ExternalProgramIndex(id);
  if (program >= 0) return ToWide(App().settings.program_captions[static_cast<size_t>(program)]);
  return LanguageCaption(id);
}

void ShowBinding(MenuItemRecord* record) {
  int slot = SlotOfCommand(record->command);
  const AccelRecord* binding = slot < 0 ? nullptr : &App().key_slots[static_cast<size_t>(slot)];
  bool bound = binding && binding->key != 0;
  record->modifier_prefix = bound ? ModifierPrefix(binding->flags) : "";
  record->key_name = bound ? KeyName(static_cast<uint8_t>(binding->key)) : "";
}

MenuItemRecord* AddRecord(int id) {
  auto record = std::make_unique<MenuItemRecord>();
  record->command = id;
  record->caption = CaptionOf(id);
  ShowBinding(record.get());
  App().menu_items.push_back(std::move(record));
  return App().menu_items.back().get();
}

ProgramCaptionsPresent ProgramsWithCaptions() {
  ProgramCaptionsPresent present{};
  const auto& captions = App().settings.program_captions;
  for (size_t i = 0; i < present.size(); ++i) present[i] = !captions[i].empty();
  return present;
}

HMENU BuildPopup(int menu, const ProgramCaptionsPresent& programs);

MENUITEMINFOW ItemInfo(const MenuEntry& entry, const ProgramCaptionsPresent& programs) {
  MENUITEMINFOW info = {sizeof(info)};
  info.fMask = MIIM_FTYPE | MIIM_ID;
  info.wID = entry.id;
  if (entry.kind == MenuEntryKind::kSeparator) {
    info.fType = MFT_SEPARATOR;
    return info;
  }
  info.fMask |= MIIM_DATA | MIIM_STATE;
  info.fType = MFT_OWNERDRAW | (entry.kind == MenuEntryKind::kRadioItem ? MFT_RADIOCHECK : 0);
  info.fState = entry.id == kCommandNoExternalProgram ? MFS_DISABLED : MFS_ENABLED;
  info.dwItemData = reinterpret_cast<ULONG_PTR>(AddRecord(entry.id));
  if (entry.kind == MenuEntryKind::kSubmenu) {
    info.fMask |= MIIM_SUBMENU;
    info.hSubMenu = BuildPopup(entry.id, programs);
  }
  return info;
}

// Each popup remembers which menu it is, for the state refresh.
HMENU BuildPopup(int menu, const ProgramCaptionsPresent& programs) {
  HMENU popup = CreatePopupMenu();
  MENUINFO menu_info = {sizeof(menu_info)};
  menu_info.fMask = MIM_MENUDATA;
  menu_info.dwMenuData = static_cast<ULONG_PTR>(menu);
  SetMenuInfo(popup, &menu_info);
  UINT position = 0;
  for (const MenuEntry& entry : MenuEntries(menu, programs)) {
    MENUITEMINFOW info = ItemInfo(entry, programs);
    InsertMenuItemW(popup, position++, TRUE, &info);
  }
  return popup;
}

void AppendPopup(HMENU root, HMENU popup) {
  MENUITEMINFOW info = {sizeof(info)};
  info.fMask = MIIM_SUBMENU;
  info.hSubMenu = popup;
  InsertMenuItemW(root, static_cast<UINT>(GetMenuItemCount(root)), TRUE, &info);
}

}  // namespace

void BuildMenus() {
  ApplicationState& app = App();
  DestroyMenus();
  ProgramCaptionsPresent programs = ProgramsWithCaptions();
  app.menu.reset(CreateMenu());
  AppendPopup(app.menu.get(), BuildPopup(kMainPopup, programs));
  AppendPopup(app.menu.get(), BuildPopup(kZoomPopup, programs));
  for (uint16_t command : CommandsWithoutMenuItem()) AddRecord(command);
}

void DestroyMenus() {
  ApplicationState& app = App();
  app.menu.reset();
  app.menu_items.clear();
}

HMENU MainPopup() { return App().menu ? GetSubMenu(App().menu.get(), 0) : nullptr; }
HMENU ZoomPopup() { return App().menu ? GetSubMenu(App().menu.get(), 1) : nullptr; }

namespace {

HMENU FindSubmenuIn(HMENU popup, int id) {
  int count = popup ? GetMenuItemCount(popup) : 0;
  for (int position = 0; position < count; ++position) {
    HMENU sub = GetSubMenu(popup, position);
    if (!sub) continue;
    MENUINFO info = {sizeof(info)};
    info.fMask = MIM_MENUDATA;
    if (GetMenuInfo(sub, &info) && static_cast<int>(info.dwMenuData) == id) return sub;
    if (HMENU deeper = FindSubmenuIn(sub, id)) return deeper;
  }
  return nullptr;
}

}  // namespace

HMENU FindSubmenu(int id) { return FindSubmenuIn(MainPopup(), id); }

MenuItemRecord* FindMenuItemRecord(int command) {
  auto& items = App().menu_items;
  auto found = std::find_if(items.begin(), items.end(),
                            [command](const auto& record) { return record->command == command; });
  return found == items.end() ? nullptr : found->get();
}

void RefreshMenuBindings() {
  for (auto& record : App().menu_items) ShowBinding(record.get());
}

void RelabelMenuItem(int command, int string_id) {
  MenuItemRecord* record = FindMenuItemRecord(command);
  if (!record) return;
  std::wstring caption = LanguageCaption(string_id);
  if (caption == record->caption) return;
  record->caption = std::move(caption);
  // Setting the type again makes the system measure the item anew.
  MENUITEMINFOW info = {sizeof(info)};
  info.fMask = MIIM_FTYPE;
  info.fType = MFT_OWNERDRAW;
  SetMenuItemInfoW(App().menu.get(), static_cast<UINT>(command), FALSE, &info);
}
