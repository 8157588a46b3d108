#include "image/commit_image.h"

#include <cstring>
#include <utility>

void CommitImage(ImageBuffer* staged, ImageBuffer* current) {
  ReleasePixels(current);
  if (staged->header.bit_count != 24) {
    std::memcpy(current->palette, staged->palette, sizeof(current->palette));
  }
  current->pixels = std::exchange(staged->pixels, nullptr);
  current->animation = std::exchange(staged->animation, nullptr);
  current->header = staged->header;
  current->source_size = staged->source_size;
  current->source_bits_per_pixel = staged->source_bits_per_pixel;
  current->source_format = staged->source_format;
  current->last_write_time = staged->last_write_time;
}
