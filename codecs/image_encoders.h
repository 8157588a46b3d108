// The built-in encoders, chosen by the save type.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "codecs/byte_sink.h"
#include "codecs/save_options.h"
#include "image/image_buffer.h"
#include "image/path.h"

bool HasEncoder(int32_t save_type);

// The save types a save can offer, in save-type order: those with an encoder,
// and the lossless JPEG save only for an image read from a JPEG.
std::vector<int32_t> OfferedSaveTypes(bool from_jpeg);

// What a save knows beyond its options, and what an encoder tells back.
struct EncodeContext {
  std::vector<uint8_t> source_exif;  // the source's Exif block from "Exif" on, orientation 1
  std::string error_text;            // the JPEG library's message after its failure
  // The save that keeps the JPEG data works on the image's own file, in a
  // writable copy (the Exif orientation is reset in it), and turns it the
  // way the display rotations since it was read did.
  uint8_t* source_jpeg = nullptr;
  size_t source_jpeg_size = 0;
  int rotation_state = 0;
};

// Writes the image as the options say. kEncodeFailed for a type without an
// encoder in this build.
Status EncodeImage(const ImageBuffer& image, const SaveOptions& options, ByteSink* out,
                   EncodeContext* context = nullptr);

// The same into a new file; the file is complete only when kOk comes back.
Status EncodeImageFile(const ImageBuffer& image, const SaveOptions& options,
                       const PathChar* path, EncodeContext* context = nullptr);
