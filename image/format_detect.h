// Chooses a decoder from a file's first eight bytes; the name's extension
// plays no part.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/path.h"

enum FormatCode : int {
  kFormatUnknown = 0,
  kFormatBmp = 1,
  kFormatPng = 2,
  kFormatJpeg = 3,
  kFormatTiff = 4,
  kFormatGif = 5,
  kFormatCannotOpen = 6,  // for archive members: shorter than 8 bytes
};

constexpr size_t kSignatureBytes = 8;

// Applies the signature rule to exactly kSignatureBytes bytes.
FormatCode DetectFormat(const uint8_t* head);

// For an archive member already in memory.
FormatCode DetectMemberFormat(const uint8_t* data, size_t size);

// Opens the file with shared read access: kFormatCannotOpen when it cannot be
// opened (missing, unreadable, a folder), kFormatUnknown when it holds fewer
// than eight bytes.
FormatCode DetectFileFormat(const PathChar* path);

const char* FormatName(FormatCode code);
