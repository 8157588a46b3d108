// The accelerator table the message loop translates keys with.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// Fills the binding slots and creates the table from the stored key table
// (settings entry 30) or, without a usable one, from the built-in keys.
void BuildAcceleratorTable();

// The table's records in the settings file's layout, at most 113.
std::vector<uint8_t> AcceleratorTableBytes(HACCEL table);
