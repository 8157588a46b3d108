// How a key binding reads in the menus and the bindings dialog: a modifier
// prefix and a key name. The punctuation names follow the Japanese keyboard
// layout, whose key caps the program's users know.
#pragma once

#include <cstdint>

// The name of a virtual-key code, "" for codes without one.
const char* KeyName(uint8_t virtual_key);

// "Shift+", "Ctrl+" or "Ctrl+Shift+" for the flags of a virtual-key
// binding; "" for any other flags.
const char* ModifierPrefix(uint8_t flags);
