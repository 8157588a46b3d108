// The PNG, GIF and JPEG writing options of ovirac convert. Unlike the save
// settings, no gamma is written unless --gamma asks for one, and no Exif
// block is kept unless --keep-exif asks for it.
#pragma once

#include <string>

#include "codecs/save_options.h"
#include "image/path.h"
#include "tools/ovirac/reader_options.h"

// Takes argv[*i] (and its value, moving *i past it) when it is a PNG
// writing option.
OptionParse ParsePngWriterOption(int argc, PathChar** argv, int* i, SaveOptions* options);

// Takes argv[*i] (and its value) when it is a JPEG writing option.
OptionParse ParseJpegWriterOption(int argc, PathChar** argv, int* i, SaveOptions* options);

// --grey and --comment, which the PNG parser takes, serve JPEG output too.
bool IsSharedWriterOption(const std::string& name);

// --interlace and --transparent, which the PNG parser takes, serve GIF
// output too.
bool IsPngAndGifWriterOption(const std::string& name);

extern const char kPngWriterOptionsUsage[];
extern const char kGifWriterOptionsUsage[];
extern const char kJpegWriterOptionsUsage[];
