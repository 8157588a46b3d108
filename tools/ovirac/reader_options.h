// The reading options every ovirac command that decodes accepts, with the
// settings file's defaults.
#pragma once

#include "image/decode_settings.h"
#include "image/path.h"

enum class OptionParse { kNotMine, kTaken, kBad };

// Takes argv[*i] (and its value, moving *i past it) when it is a reading
// option.
OptionParse ParseReaderOption(int argc, PathChar** argv, int* i, DecodeSettings* settings);

extern const char kReaderOptionsUsage[];
