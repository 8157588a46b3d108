// GIF files come from anywhere, and animated ones are read frame by frame
// into canvases of their own. No block sequence may make the reader touch
// memory outside what it was given or keep more frames than an animation
// may hold; every refusal must say why and keep no pixels; the file, block
// and byte forms must agree, as stills and as animations.
#include <cstddef>
#include <cstdint>

#include "codecs/gif_reader.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/reader_fuzz_checks.h"
#include "image/animation_frames.h"

namespace {

// Screens the fuzzer may make the reader fill; larger claims are judged by
// their header alone. Animations copy a canvas per frame, so they get less.
constexpr uint64_t kMaxPixels = uint64_t{1} << 22;
constexpr uint64_t kMaxAnimationPixels = uint64_t{1} << 16;

uint64_t ScreenPixels(const uint8_t* data, size_t size) {
  if (size < 10) return 0;
  return uint64_t(data[6] | data[7] << 8) * uint64_t(data[8] | data[9] << 8);
}

bool IsReaderStatus(Status s) {
  return s == Status::kNoMemory || s == Status::kUnsupported || s == Status::kCorrupt ||
         s == Status::kReadFailed;
}

// The input's last byte and its length pick the settings (whole files all
// end in the same trailer), so every fill colour path and both modes meet
// hostile data.
DecodeSettings SettingsFor(const uint8_t* data, size_t size) {
  DecodeSettings s;
  const uint8_t pick = size ? uint8_t(data[size - 1] ^ size) : 0;
  s.png.composite_transparency = pick & 1;
  s.png.use_file_background = pick & 2;
  s.png.background_colour = pick * 0x010101u;
  s.animation = (pick & 4) && ScreenPixels(data, size) <= kMaxAnimationPixels;
  return s;
}

void RequireFrames(const ImageBuffer& image) {
  if (image.header.bit_count == 8) {
    Require(image.animation == nullptr, "a still has no frames");
    return;
  }
  Require(image.animation != nullptr, "a 24-bit GIF is an animation");
  const AnimationFrameList& list = *image.animation;
  Require(list.frame_count() >= 1, "an animation has a frame");
  Require(!list.frames[0].canvas, "the first frame is the image's own pixels");
  const uint64_t bytes = uint64_t{Stride(image)} * static_cast<uint64_t>(image.header.height);
  uint64_t total = bytes;
  for (int i = 1; i < list.frame_count(); ++i) {
    Require(list.frames[size_t(i)].canvas.size() >= bytes, "every canvas holds the whole screen");
    total += bytes;
  }
  Require(list.frame_count() == 1 || total <= kAnimationMemoryLimit, "the canvases stay within the limit");
}

void RequireUsable(const ImageBuffer& image, Status status) {
  if (!RequireReadOutcome(image, status, IsReaderStatus(status), kSourceGif)) {
    Require(image.animation == nullptr, "a failed read leaves no frames");
    return;
  }
  Require(image.source_bits_per_pixel >= 1 && image.source_bits_per_pixel <= 8, "a table has 1 to 8 bits");
  RequireFrames(image);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (ScreenPixels(data, size) > kMaxPixels) return 0;
  const DecodeSettings settings = SettingsFor(data, size);
  OwnedImage image;
  LoadResults results;
  const Status status = ReadGifBytes(data, size, settings, &image.record, &results);
  RequireUsable(image.record, status);
  CheckBlockForm(data, size, settings, ReadGif, image.record, status);
  CheckFileForm("gif_reader_fuzz", kFormatGif, data, size, settings, image.record, status);
  return 0;
}
