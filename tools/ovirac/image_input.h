// Reading an image file with the viewer's own decoders.
#pragma once

#include <string>

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
};

// Detects the format and decodes into image (whose pixels the caller
// releases). On failure image holds no pixels.
ImageInput ReadImageFile(const PathChar* path, const DecodeSettings& settings, ImageBuffer* image);
