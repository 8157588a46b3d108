#include "image/format_detect.h"

#include <cstring>

#include "image/file_access.h"

FormatCode DetectFormat(const uint8_t* b) {
  // The order matters: each two-byte prefix decides alone, and a prefix that
  // matches without its further bytes is unknown rather than tried further.
  if (b[0] == 'G' && b[1] == 'I') return b[2] == 'F' ? kFormatGif : kFormatUnknown;
  if (b[0] == 'I' && b[1] == 'I') return b[2] == 0x2A ? kFormatTiff : kFormatUnknown;
  if (b[0] == 'B' && b[1] == 'M') return kFormatBmp;
  if (b[0] == 'M' && b[1] == 'M') return b[3] == 0x2A ? kFormatTiff : kFormatUnknown;
  if (b[0] == 0x89) {
    static const uint8_t kPng[kSignatureBytes] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    return std::memcmp(b, kPng, kSignatureBytes) == 0 ? kFormatPng : kFormatUnknown;
  }
  if (b[0] == 0xFF && b[1] == 0xD8) return kFormatJpeg;
  return kFormatUnknown;
}

FormatCode DetectMemberFormat(const uint8_t* data, size_t size) {
  if (size < kSignatureBytes) return kFormatCannotOpen;
  return DetectFormat(data);
}

FormatCode DetectFileFormat(const PathChar* path) {
  uint8_t head[kSignatureBytes];
  size_t got = 0;
  if (ReadFileHead(path, head, sizeof(head), &got) != HeadRead::kOk) return kFormatCannotOpen;
  if (got < kSignatureBytes) return kFormatUnknown;
  return DetectFormat(head);
}

const char* FormatName(FormatCode code) {
  switch (code) {
    case kFormatUnknown: return "unknown";
    case kFormatBmp: return "BMP";
    case kFormatPng: return "PNG";
    case kFormatJpeg: return "JPEG";
    case kFormatTiff: return "TIFF";
    case kFormatGif: return "GIF";
    case kFormatCannotOpen: return "cannot be opened";
  }
  return "unknown";
}
