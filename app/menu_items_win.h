// What the menu keeps for its life: the menu handles and one record per
// item that carries a command, attached to the item as its item data.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "app/win_handles.h"

struct MenuTraits {
  static HMENU Invalid() { return nullptr; }
  static void Close(HMENU h) { DestroyMenu(h); }  // submenus go with it
};
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;

struct MenuItemRecord {
  int32_t command = 0;
  int32_t reserved = 0;
  // The binding of the command's slot; "" for unbound commands and for
  // commands without a slot. Both point into the key-name tables.
  const char* modifier_prefix = "";
  const char* key_name = "";
  std::wstring caption;  // with its "&" mnemonic
};
