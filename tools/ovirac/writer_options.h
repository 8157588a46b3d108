// The PNG writing options of ovirac convert. Unlike the save settings, no
// gamma is written unless --gamma asks for one.
#pragma once

#include "codecs/save_options.h"
#include "image/path.h"
#include "tools/ovirac/reader_options.h"

// Takes argv[*i] (and its value, moving *i past it) when it is a PNG
// writing option.
OptionParse ParsePngWriterOption(int argc, PathChar** argv, int* i, SaveOptions* options);

extern const char kPngWriterOptionsUsage[];
