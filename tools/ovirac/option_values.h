// Parsing the values that follow ovirac's options.
#pragma once

#include <cstdint>

#include "image/path.h"

// A decimal integer from `low` to `high`; otherwise prints why and fails.
bool ParseInteger(const char* option, const PathChar* text, long low, long high, int32_t* value);

// Six hex digits, red first, into a colour with red in the low byte.
bool ParseColour(const char* option, const PathChar* text, uint32_t* colour);

// The value after argv[*i], moving *i onto it; prints why and fails when
// the command line ends first.
const PathChar* OptionValue(int argc, PathChar** argv, int* i);

// An argument of `command` after its options were looked for: the input
// file, then the output file. Prints why and fails for an unknown option or
// a third file.
bool TakeFileArgument(const char* command, const PathChar* argument, const PathChar** input,
                      const PathChar** output);
