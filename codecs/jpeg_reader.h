// Reading JPEG files through libjpeg-turbo: baseline or progressive, grey,
// colour or Adobe CMYK, into 8 bits with a grey palette or 24 bits, with the
// Exif orientation and the comment count the document needs.
//
// Library errors end the decode with kCorrupt and keep the library's own
// message (at most 200 characters) for display, except those that have a
// status of their own: data that end before the picture could start
// (kReadFailed), memory the system refused (kNoMemory), and pictures too
// large for the library's limits or ours (kUnsupported). A file cut short
// inside its image data still loads: the library fills what is missing
// with grey, as every JPEG viewer shows such a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "image/decode_source.h"

// What the library may hold for one picture beyond its pixel block: the
// coefficients of a progressive or multi-scan file live in it, so a small
// file claiming an enormous progressive picture is refused (kUnsupported)
// instead of making the library ask for gigabytes.
constexpr size_t kJpegLibraryMemoryLimit = size_t{1} << 30;

// Real encoders write a dozen scans; a file with more is refused
// (kCorrupt) before its scans, each a pass over all coefficients, take
// minutes.
constexpr int kJpegScanLimit = 500;

// Decodes the source's bytes into its target and sets its status, results
// and error text; false on failure, when the target holds no pixels. Source
// format JPEG.
bool ReadJpeg(DecodeSource* source);

// The same on bytes in memory (an archive member, a test, a fuzzer).
// `error_text`, when given, receives the library's message (empty when the
// library raised none).
Status ReadJpegBytes(const uint8_t* data, size_t size, ImageBuffer* target,
                     LoadResults* results = nullptr, std::string* error_text = nullptr);
