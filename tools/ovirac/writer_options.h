// The PNG, GIF, JPEG and TIFF writing options of ovirac convert. Unlike the save
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

// Null when the writing option serves the save type; else the formats it
// does serve, in words ("PNG and GIF").
const char* WriterOptionRefusal(const std::string& name, int32_t save_type);

extern const char kPngWriterOptionsUsage[];
extern const char kGifWriterOptionsUsage[];
extern const char kJpegWriterOptionsUsage[];
extern const char kTiffWriterOptionsUsage[];
