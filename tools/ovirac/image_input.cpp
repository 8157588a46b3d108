#include "tools/ovirac/image_input.h"

#include <cstdio>

#include "codecs/image_decoders.h"
#include "image/animation_frames.h"

ImageInput ReadImageFile(const PathChar* path, const DecodeSettings& settings, ImageBuffer* image) {
  ImageInput input;
  input.status = DecodeImageFile(path, image, &input.format, settings, &input.results, &input.error_text);
  input.decoder_available = HasBuiltInDecoder(input.format);
  if (image->animation && image->animation->truncated) {
    std::fprintf(stderr,
                 "ovirac: note: only the first %d frames were read; more would take more memory "
                 "than an animation may\n",
                 image->animation->frame_count());
  }
  return input;
}
