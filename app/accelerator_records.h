// The key table as it travels through the settings file: 6-byte ACCEL
// records (flags, padding, key, command), and the rules that turn a stored
// table into the binding slots and the table the message loop translates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/accelerator_slots.h"

// Whole records only, at most 113; a trailing partial record is ignored.
// Records that cannot be a binding are dropped: a command below the command
// range, or flag bits that ACCEL does not define (the system keeps its own
// end-of-table mark in the top bit).
std::vector<AccelRecord> DecodeAccelRecords(const uint8_t* bytes, size_t size);
std::vector<uint8_t> EncodeAccelRecords(const std::vector<AccelRecord>& records);

struct KeyBindings {
  BindingSlots slots;
  // What the accelerator table is created from, in this order.
  std::vector<AccelRecord> table;
};

// From the stored entry: each slot takes the first stored record of its
// command (its low 4 flag bits and the low byte of its key) or becomes
// unbound, and the table is the stored records as they are, including
// those of commands without a slot. Without a usable stored record the
// built-in bindings apply and the table lists the bound slots in order.
KeyBindings KeyBindingsFromSettings(const std::vector<uint8_t>& stored);

// The bound slots in slot order: the table for a set of slots.
std::vector<AccelRecord> TableFromSlots(const BindingSlots& slots);
