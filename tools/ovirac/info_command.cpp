#include <cinttypes>
#include <cstdio>

#include "image/colour_count.h"
#include "image/file_access.h"
#include "image/format_detect.h"
#include "image/status.h"
#include "tools/ovirac/cli_text.h"
#include "tools/ovirac/commands.h"
#include "tools/ovirac/image_input.h"

namespace {

void PrintStatus(Status status) {
  std::printf("status: %u %s\n", StatusCode(status), StatusName(status));
}

// Distinct colours, as the save settings see them when offering depths.
uint32_t DistinctColours(const ImageBuffer& image) {
  const DibHeader& h = image.header;
  if (h.bit_count == 8) return static_cast<uint32_t>(CountPaletteIndices(h.width, h.height, image.pixels));
  return CountColours(h.width, h.height, image.pixels, 3);
}

void PrintProperties(const ImageBuffer& image) {
  const DibHeader& h = image.header;
  std::printf("width: %d\n", h.width);
  std::printf("height: %d\n", h.height);
  std::printf("bits per pixel: %u\n", h.bit_count);
  std::printf("source bits per pixel: %u\n", image.source_bits_per_pixel);
  std::printf("resolution: %d x %d pixels per metre\n", h.x_pels_per_meter, h.y_pels_per_meter);
  std::printf("%s: %u\n", h.bit_count == 8 ? "palette indices used" : "colours",
              DistinctColours(image));
}

}  // namespace

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
    PrintStatus(Status::kReadFailed);
    return kExitFailed;
  }
  std::printf("size: %" PRIu64 " bytes\n", size);
  if (format == kFormatUnknown) {
    std::fputs("ovirac: not an image format ovirac reads\n", stderr);
    return kExitFailed;
  }
  ImageBuffer image{};
  ResetImageBuffer(&image);
  const ImageInput input = ReadImageFile(path, &image);
  if (!input.decoder_available) {
    std::fprintf(stderr, "ovirac: reading %s files is not available in this build\n",
                 FormatName(format));
    return kExitOk;
  }
  PrintStatus(input.status);
  if (input.status == Status::kOk) PrintProperties(image);
  ReleasePixels(&image);
  return input.status == Status::kOk ? kExitOk : kExitFailed;
}
