#include "image/status.h"

const char* StatusName(Status s) {
  switch (s) {
    case Status::kOk: return "no error";
    case Status::kNoMemory: return "not enough memory";
    case Status::kUnsupported: return "unsupported image kind or size";
    case Status::kCopyFailed: return "file copy failed";
    case Status::kReadFailed: return "file could not be read or ends too early";
    case Status::kCannotWrite: return "output could not be created or cannot hold this image";
    case Status::kEncodeFailed: return "encoder could not finish";
    case Status::kCorrupt: return "corrupt data or wrong format";
    case Status::kInflateFailed: return "decompression failed";
    case Status::kDeflateFailed: return "compression failed";
    case Status::kPngBadChecksum: return "PNG chunk checksum is wrong";
    case Status::kPngBadLength: return "PNG chunk length is too large";
    case Status::kPngBadHeaderLength: return "PNG header chunk has the wrong length";
    case Status::kPngHeaderNotFirst: return "PNG does not start with its header chunk";
    case Status::kPngBadColourType: return "PNG colour type does not fit its bit depth";
    case Status::kPngBadBitDepth: return "PNG bit depth is invalid";
    case Status::kPngBadCompression: return "PNG compression method is unknown";
    case Status::kPngBadFilter: return "PNG filter method is unknown";
    case Status::kPngBadInterlace: return "PNG interlace method is unknown";
    case Status::kPngChunkOrder: return "PNG chunks are out of order";
    case Status::kPngNoImageData: return "PNG has no image data or no palette";
    case Status::kPngBrokenImageData: return "PNG image data is broken or too large";
  }
  return "unknown status";
}
