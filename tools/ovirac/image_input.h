// Reading an image file, or an image member of a ZIP archive named as
// "ARCHIVE::MEMBER", with the viewer's own decoders.
#pragma once

#include <cstdint>
#include <string>

#include "codecs/zip_archive.h"
#include "image/decode_settings.h"
#include "image/format_detect.h"
#include "image/image_buffer.h"
#include "image/load_results.h"
#include "image/path.h"

struct ImageInput {
  FormatCode format = kFormatUnknown;
  // False when the format has no decoder in this build.
  bool decoder_available = false;
  Status status = Status::kOk;
  LoadResults results;
  std::string error_text;  // the JPEG library's message, when it ended the decode
  bool from_plugin = false;  // read by a plug-in rather than a built-in decoder
};

// The archive and the member path of an "ARCHIVE::MEMBER" input; false for
// a plain file name.
bool SplitMemberInput(const PathChar* input, PathString* archive, std::u16string* member);

// Extracts the member an "ARCHIVE::MEMBER" input names, telling on stderr
// why it cannot.
bool ExtractMemberInput(const PathChar* input, ZipExtracted* out);

// Detects the format and decodes into image (whose pixels the caller
// releases). On failure image holds no pixels.
ImageInput ReadImageFile(const PathChar* path, const DecodeSettings& settings, ImageBuffer* image);
