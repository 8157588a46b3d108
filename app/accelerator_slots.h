// The key-binding slots: one per bindable command, in the fixed order the
// bindings dialog and the menus list them, and the keys they have when the
// settings hold no key table.
#pragma once

#include <array>
#include <cstdint>

// One Windows ACCEL record, field for field.
struct AccelRecord {
  uint8_t flags = 0;  // kAccelVirtKey plus kAccelShift and/or kAccelControl
  uint16_t key = 0;   // virtual-key code; 0 leaves the slot unbound
  uint16_t command = 0;

  bool operator==(const AccelRecord&) const = default;
};

constexpr uint8_t kAccelVirtKey = 0x01;
constexpr uint8_t kAccelNoInvert = 0x02;
constexpr uint8_t kAccelShift = 0x04;
constexpr uint8_t kAccelControl = 0x08;
constexpr uint8_t kAccelAlt = 0x10;

constexpr int kBindingSlotCount = 113;
using BindingSlots = std::array<AccelRecord, kBindingSlotCount>;

// The command of each slot, in slot order.
const std::array<uint16_t, kBindingSlotCount>& SlotCommands();

// The slot that binds `command`, or -1 when the command has none.
int SlotOfCommand(int command);

// Every slot with its command and its built-in key (unbound slots carry
// kAccelVirtKey and key 0).
BindingSlots DefaultBindingSlots();
