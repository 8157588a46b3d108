#include "codecs/zip_status.h"

const char* ZipStatusName(ZipStatus status) {
  switch (status) {
    case ZipStatus::kOk: return "ok";
    case ZipStatus::kCannotOpen: return "cannot open the archive";
    case ZipStatus::kNotAnArchive: return "not an archive";
    case ZipStatus::kNoMember: return "no such member";
    case ZipStatus::kUnsupportedMethod: return "unsupported compression method";
    case ZipStatus::kTruncated: return "member data cut short";
    case ZipStatus::kTooLarge: return "member too large";
    case ZipStatus::kNoMemory: return "out of memory";
    case ZipStatus::kInflateFailed: return "broken deflate data";
    case ZipStatus::kBadCrc: return "CRC mismatch";
  }
  return "unknown";
}
