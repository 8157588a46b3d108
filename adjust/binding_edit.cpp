#include "adjust/binding_edit.h"

#include "app/key_names.h"
#include "image/ascii_case.h"

namespace {

constexpr uint8_t kModifiers = kAccelControl | kAccelShift;

bool ValidRow(int row) { return row >= 0 && row < kBindingSlotCount; }

uint8_t FlagsFor(bool ctrl, bool shift) {
  return static_cast<uint8_t>(kAccelVirtKey | (ctrl ? kAccelControl : 0) |
                              (shift ? kAccelShift : 0));
}

bool Contains(std::u16string_view text, std::u16string_view word) {
  if (word.size() > text.size()) return false;
  for (size_t at = 0; at + word.size() <= text.size(); ++at) {
    if (EqualIgnoringAsciiCase(text.substr(at, word.size()), word)) return true;
  }
  return false;
}

}  // namespace

BindingRefusal AssignKey(BindingEdit* edit, int row, int key, bool ctrl, bool shift) {
  if (!ValidRow(row)) return BindingRefusal::kNoRow;
  if (key <= 0 || key > 0xFF) return BindingRefusal::kNoChoice;
  const uint8_t flags = FlagsFor(ctrl, shift);
  for (const AccelRecord& other : edit->keys) {
    if (other.key == key && (other.flags & kModifiers) == (flags & kModifiers)) {
      return BindingRefusal::kTaken;
    }
  }
  edit->keys[row].flags = flags;
  edit->keys[row].key = static_cast<uint16_t>(key);
  edit->keys_changed = true;
  return BindingRefusal::kNone;
}

BindingRefusal AssignMouse(BindingEdit* edit, int row, int slot) {
  if (!ValidRow(row)) return BindingRefusal::kNoRow;
  if (slot < 0 || slot >= kMouseSlotCount) return BindingRefusal::kNoChoice;
  // A bound slot is refused even for its own command: the user removes first.
  if (edit->mouse[slot] != 0) return BindingRefusal::kTaken;
  const int32_t command = edit->keys[row].command;
  for (int32_t& held : edit->mouse) {
    if (held == command) held = 0;
  }
  edit->mouse[slot] = command;
  edit->mouse_changed = true;
  return BindingRefusal::kNone;
}

BindingRefusal RemoveKey(BindingEdit* edit, int row) {
  if (!ValidRow(row)) return BindingRefusal::kNoRow;
  edit->keys[row].flags = kAccelVirtKey;
  edit->keys[row].key = 0;
  edit->keys_changed = true;
  return BindingRefusal::kNone;
}

BindingRefusal RemoveMouse(BindingEdit* edit, int row) {
  if (!ValidRow(row)) return BindingRefusal::kNoRow;
  for (int32_t& held : edit->mouse) {
    if (held == edit->keys[row].command) held = 0;
  }
  edit->mouse_changed = true;
  return BindingRefusal::kNone;
}

void ResetKeys(BindingEdit* edit) {
  edit->keys = DefaultBindingSlots();
  edit->keys_changed = true;
}

const MouseSlots& DefaultMouseSlots() {
  static const MouseSlots kDefaults = {5550, 5310, 5600, 0, 0, 5611, 5610, 0,
                                       0,    0,    0,    0, 0, 0,    0};
  return kDefaults;
}

void ResetMouse(BindingEdit* edit) {
  edit->mouse = DefaultMouseSlots();
  edit->mouse_changed = true;
}

int MouseSlotOfRow(const BindingEdit& edit, int row) {
  if (!ValidRow(row)) return -1;
  for (int slot = 0; slot < kMouseSlotCount; ++slot) {
    if (edit.mouse[slot] != 0 && edit.mouse[slot] == edit.keys[row].command) return slot;
  }
  return -1;
}

const std::vector<uint8_t>& BindableKeys() {
  static const std::vector<uint8_t> kKeys = [] {
    std::vector<uint8_t> keys;
    for (int code = 1; code < 256; ++code) {
      if (*KeyName(static_cast<uint8_t>(code))) keys.push_back(static_cast<uint8_t>(code));
    }
    return keys;
  }();
  return kKeys;
}

bool RowMatchesFilter(std::u16string_view name, std::u16string_view key_text,
                      std::u16string_view filter) {
  size_t at = 0;
  while (at < filter.size()) {
    while (at < filter.size() && filter[at] == u' ') ++at;
    size_t end = filter.find(u' ', at);
    if (end == std::u16string_view::npos) end = filter.size();
    std::u16string_view word = filter.substr(at, end - at);
    if (!word.empty() && !Contains(name, word) && !Contains(key_text, word)) return false;
    at = end;
  }
  return true;
}
