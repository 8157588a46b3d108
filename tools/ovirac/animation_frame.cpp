#include "tools/ovirac/animation_frame.h"

#include <cstdio>
#include <cstring>

#include "image/animation_frames.h"
#include "tools/ovirac/option_values.h"

OptionParse ParseFrameOption(int argc, PathChar** argv, int* i, int32_t* frame) {
  if (PathString(argv[*i]) != OVIRA_PATH("--frame")) return OptionParse::kNotMine;
  const PathChar* value = OptionValue(argc, argv, i);
  if (!value || !ParseInteger("--frame", value, 0, 2147483647L, frame)) return OptionParse::kBad;
  return OptionParse::kTaken;
}

bool KeepOnlyFrame(int32_t frame, ImageBuffer* image) {
  const int count = image->animation ? image->animation->frame_count() : 1;
  if (frame >= count) {
    std::fprintf(stderr, "ovirac: --frame %d: the image has %d frame%s (0 to %d)\n", frame, count,
                 count == 1 ? "" : "s", count - 1);
    return false;
  }
  if (frame > 0) {
    const size_t bytes = size_t{Stride(*image)} * static_cast<size_t>(image->header.height);
    std::memcpy(image->pixels, FrameCanvas(*image->animation, image->pixels, frame), bytes);
  }
  SetAnimation(image, nullptr);
  return true;
}
