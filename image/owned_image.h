// An image record that frees its pixels when it goes, for images made and
// dropped within one operation (a thumbnail, a test picture, a result that
// may be dropped on the way to being committed).
#pragma once

#include "image/image_buffer.h"

struct OwnedImage {
  OwnedImage() = default;
  ~OwnedImage() { ReleasePixels(&record); }
  OwnedImage(const OwnedImage&) = delete;
  OwnedImage& operator=(const OwnedImage&) = delete;
  ImageBuffer record{};
};
