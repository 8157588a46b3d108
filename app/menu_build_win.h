// Building the menu once the language module is loaded, and the item
// records that carry each command's caption and binding text.
#pragma once

#include <windows.h>

// Creates the root with the main popup and the zoom popup, every item
// owner-drawn, and a record for every command that is in the menu or has a
// binding slot.
void BuildMenus();
void DestroyMenus();

HMENU MainPopup();
HMENU ZoomPopup();
// The submenu `id` of the main popup (5106 and the like), or nullptr.
HMENU FindSubmenu(int id);

// The record of a command, or nullptr.
struct MenuItemRecord;
MenuItemRecord* FindMenuItemRecord(int command);

// After the binding slots change: every record shows its slot's binding.
void RefreshMenuBindings();

// Gives the item of `command` the caption of language string `string_id`.
void RelabelMenuItem(int command, int string_id);
