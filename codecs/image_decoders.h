// The built-in decoders, chosen by the format that detection found.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "image/decode_source.h"
#include "image/format_detect.h"

// Whether this build reads the format itself.
bool HasBuiltInDecoder(FormatCode format);

// Decodes the source into its target with the format's decoder and sets the
// source's status. False, with status kUnsupported, for formats without one.
bool DecodeBuiltIn(FormatCode format, DecodeSource* source);

// Detects, maps and decodes a file into `target` (the staging record), and
// records the file's last-write time. The status says why it failed;
// `results`, when given, receives what the reader found besides the pixels,
// and `error_text` the JPEG library's message when it ended the decode.
Status DecodeImageFile(const PathChar* path, ImageBuffer* target, FormatCode* format,
                       const DecodeSettings& settings = {}, LoadResults* results = nullptr,
                       std::string* error_text = nullptr);

// The same for an archive member extracted into page memory (`size` bytes
// of the block), which the caller keeps, so that a member no built-in
// decoder takes can still go to the plug-ins. A member shorter
// than 8 bytes is kFormatCannotOpen and, like every format without a
// built-in decoder, kUnsupported.
Status DecodeImageMember(PageBlock* block, uint32_t size, ImageBuffer* target, FormatCode* format,
                         const DecodeSettings& settings = {}, LoadResults* results = nullptr,
                         std::string* error_text = nullptr);
