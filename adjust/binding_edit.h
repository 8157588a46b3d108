// The bindings dialog's model: a copy of the key binding slots and of the
// fifteen mouse bindings, edited by rules that never let two rows share a
// key or two slots hold one command, and flags that say what changed.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/accelerator_slots.h"
#include "app/settings_values.h"

using MouseSlots = std::array<int32_t, kMouseSlotCount>;

struct BindingEdit {
  BindingSlots keys{};  // one row per slot, in slot order
  MouseSlots mouse{};
  bool keys_changed = false;
  bool mouse_changed = false;
};

// Why an edit was refused; each has its message.
enum class BindingRefusal {
  kNone,
  kTaken,     // another row has the key, or the mouse slot is bound
  kNoChoice,  // no key or mouse slot chosen
  kNoRow,     // no row chosen
};

constexpr int kNoSelection = -1;

// The key (virtual-key code) with Ctrl and Shift as chosen, for `row`.
BindingRefusal AssignKey(BindingEdit* edit, int row, int key, bool ctrl, bool shift);
// Moves the row's command into an unbound mouse slot.
BindingRefusal AssignMouse(BindingEdit* edit, int row, int slot);
BindingRefusal RemoveKey(BindingEdit* edit, int row);
BindingRefusal RemoveMouse(BindingEdit* edit, int row);

// The built-in keys for every row; the mouse slots stay as they are.
void ResetKeys(BindingEdit* edit);
// The built-in mouse bindings; the keys stay as they are.
void ResetMouse(BindingEdit* edit);
const MouseSlots& DefaultMouseSlots();

// The mouse slot holding the row's command, or -1.
int MouseSlotOfRow(const BindingEdit& edit, int row);

// The 91 keys that can be bound, in the order the key list shows them.
const std::vector<uint8_t>& BindableKeys();

// Whether a row is shown for the filter text: every blank-separated word
// occurs in the row's name or its key text, ignoring the case of ASCII
// letters. An empty filter shows every row.
bool RowMatchesFilter(std::u16string_view name, std::u16string_view key_text,
                      std::u16string_view filter);
