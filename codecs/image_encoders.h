// The built-in encoders, chosen by the save type.
#pragma once

#include "codecs/byte_sink.h"
#include "codecs/save_options.h"
#include "image/image_buffer.h"
#include "image/path.h"

bool HasEncoder(int32_t save_type);

// Writes the image as the options say. kEncodeFailed for a type without an
// encoder in this build.
Status EncodeImage(const ImageBuffer& image, const SaveOptions& options, ByteSink* out);

// The same into a new file; the file is complete only when kOk comes back.
Status EncodeImageFile(const ImageBuffer& image, const SaveOptions& options,
                       const PathChar* path);
