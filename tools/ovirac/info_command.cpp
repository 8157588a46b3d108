#include <cinttypes>
#include <cstdio>

#include "image/animation_frames.h"
#include "image/colour_count.h"
#include "image/file_access.h"
#include "image/format_detect.h"
#include "image/status.h"
#include "tools/ovirac/cli_text.h"
#include "tools/ovirac/commands.h"
#include "tools/ovirac/image_input.h"
#include "tools/ovirac/reader_options.h"

namespace {

// Distinct colours, as the save settings see them when offering depths.
uint32_t DistinctColours(const ImageBuffer& image) {
  const DibHeader& h = image.header;
  if (h.bit_count == 8) return static_cast<uint32_t>(CountPaletteIndices(h.width, h.height, image.pixels));
  return CountColours(h.width, h.height, image.pixels, 3);
}

// An animation's frames as stored; a still is one frame that does not loop.
void PrintFrames(const ImageBuffer& image) {
  const AnimationFrameList* list = image.animation;
  std::printf("frames: %d\n", list ? list->frame_count() : 1);
  if (!list) {
    std::printf("loop: none\ndelays: none\n");
    return;
  }
  std::printf("loop: %d\ndelays:", list->loop_count);
  for (const AnimationFrame& frame : list->frames) std::printf(" %u", unsigned{frame.delay});
  std::printf("\n");
}

// What the reader found besides the pixels, as the viewer's title and
// information dialogs use it.
void PrintLoadResults(FormatCode format, const ImageBuffer& image, const LoadResults& r) {
  if (format == kFormatGif) {
    PrintFrames(image);
    std::printf("interlaced: %d\n", r.interlaced_or_progressive ? 1 : 0);
    std::printf("transparency: %d\n", r.transparency ? 1 : 0);
  } else if (format == kFormatPng) {
    std::printf("interlaced: %d\n", r.interlaced_or_progressive ? 1 : 0);
    std::printf("transparency: %d\n", r.transparency ? 1 : 0);
    std::printf("text chunks: %d\n", r.information_count);
  } else if (format == kFormatJpeg) {
    std::printf("progressive: %d\n", r.interlaced_or_progressive ? 1 : 0);
    std::printf("exif: %d\n", r.information_count);
    std::printf("orientation: %d\n", r.exif_orientation);
  } else if (format == kFormatTiff) {
    std::printf("description: %d\n", r.comment_count ? 1 : 0);
    return;
  } else {
    return;
  }
  std::printf("comments: %d\n", r.comment_count);
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

// The format as the viewer detects it, from a file's first bytes or from
// the whole of an archive member, and the size it was read from.
FormatCode DetectInput(const PathChar* path, uint64_t* size) {
  PathString archive;
  std::u16string member_path;
  if (SplitMemberInput(path, &archive, &member_path)) {
    ZipExtracted member;
    if (!ExtractMemberInput(path, &member)) return kFormatCannotOpen;
    *size = member.size;
    return DetectMemberFormat(member.block.data(), member.size);
  }
  uint8_t head[kSignatureBytes];
  size_t got = 0;
  if (ReadFileHead(path, head, sizeof(head), &got, size) != HeadRead::kOk) return kFormatCannotOpen;
  return got < kSignatureBytes ? kFormatUnknown : DetectFormat(head);
}

}  // namespace

int RunInfo(int argc, PathChar** argv) {
  DecodeSettings settings;
  settings.animation = true;  // to count an animation's frames
  const PathChar* path = nullptr;
  for (int i = 0; i < argc; ++i) {
    switch (ParseReaderOption(argc, argv, &i, &settings)) {
      case OptionParse::kTaken:
        continue;
      case OptionParse::kBad:
        return kExitUsage;
      case OptionParse::kNotMine:
        break;
    }
    if (path || argv[i][0] == '-') {
      std::fputs("ovirac: info takes exactly one file and reading options\n", stderr);
      return kExitUsage;
    }
    path = argv[i];
  }
  if (!path) {
    std::fputs("ovirac: info needs a file\n", stderr);
    return kExitUsage;
  }
  uint64_t size = 0;
  const FormatCode format = DetectInput(path, &size);

  std::printf("file: %s\n", PathToUtf8(path).c_str());
  std::printf("format: %d %s\n", static_cast<int>(format), FormatName(format));
  if (format == kFormatCannotOpen) {
    PrintStatus(Status::kReadFailed);
    return kExitFailed;
  }
  std::printf("size: %" PRIu64 " bytes\n", size);
  ImageBuffer image{};
  ResetImageBuffer(&image);
  const ImageInput input = ReadImageFile(path, settings, &image);
  if (format == kFormatUnknown && !input.from_plugin) {
    std::fputs("ovirac: not an image format ovirac reads\n", stderr);
    return kExitFailed;
  }
  // What the built-in decoders refuse and a plug-in reads says so.
  if (input.from_plugin) std::puts("read by: plug-in");
  if (!input.decoder_available) {
    std::fprintf(stderr, "ovirac: reading %s files is not available in this build\n",
                 FormatName(format));
    return kExitOk;
  }
  PrintStatus(input.status);
  if (!input.error_text.empty()) std::printf("library error: %s\n", input.error_text.c_str());
  if (input.status == Status::kOk) {
    PrintProperties(image);
    PrintLoadResults(format, image, input.results);
  }
  ReleasePixels(&image);
  return input.status == Status::kOk ? kExitOk : kExitFailed;
}
