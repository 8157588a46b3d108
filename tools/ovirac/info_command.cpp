#include <cinttypes>
#include <cstdio>

#include "image/file_access.h"
#include "image/format_detect.h"
#include "image/status.h"
#include "tools/ovirac/cli_text.h"
#include "tools/ovirac/commands.h"

int RunInfo(int argc, PathChar** argv) {
  if (argc != 1) {
    std::fputs("ovirac: info takes exactly one file\n", stderr);
    return kExitUsage;
  }
  const PathChar* path = argv[0];
  uint8_t head[kSignatureBytes];
  size_t got = 0;
  uint64_t size = 0;
  FormatCode format = ReadFileHead(path, head, sizeof(head), &got, &size) == HeadRead::kOk
                          ? (got < kSignatureBytes ? kFormatUnknown : DetectFormat(head))
                          : kFormatCannotOpen;

  std::printf("file: %s\n", PathToUtf8(path).c_str());
  std::printf("format: %d %s\n", static_cast<int>(format), FormatName(format));
  if (format == kFormatCannotOpen) {
    Status status = Status::kReadFailed;
    std::printf("status: %u %s\n", StatusCode(status), StatusName(status));
    return kExitFailed;
  }
  std::printf("size: %" PRIu64 " bytes\n", size);
  if (format == kFormatUnknown) {
    std::fputs("ovirac: not an image format ovirac reads\n", stderr);
    return kExitFailed;
  }
  return kExitOk;
}
