// Image records that tests fill pixel by pixel, freed with the test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "image/image_buffer.h"
#include "tests/unit/bmp_test_support.h"

class TestImage {
 public:
  TestImage(int32_t width, int32_t height, int bits) {
    ResetImageBuffer(&record);
    EXPECT_EQ(AllocatePixels(&record, width, height, bits), Status::kOk);
  }
  ~TestImage() { ReleasePixels(&record); }
  TestImage(const TestImage&) = delete;
  TestImage& operator=(const TestImage&) = delete;
  // A 24-bit pixel as 0xRRGGBB, counting rows from the top.
  void Set(int x, int y_from_top, uint32_t rgb) {
    uint8_t* p = RowFromTop(record, y_from_top) + 3 * x;
    p[0] = uint8_t(rgb), p[1] = uint8_t(rgb >> 8), p[2] = uint8_t(rgb >> 16);
  }
  // An 8-bit pixel's palette index, and a palette entry as 0xRRGGBB.
  void SetIndex(int x, int y_from_top, uint8_t index) { RowFromTop(record, y_from_top)[x] = index; }
  void SetEntry(int index, uint32_t rgb) {
    record.palette[index] = {uint8_t(rgb), uint8_t(rgb >> 8), uint8_t(rgb >> 16), 0};
  }
  uint32_t Rgb(int x, int y_from_top) const { return PixelRgb(record, x, y_from_top); }
  ImageBuffer record{};
};

// Eleven colours in a 5 x 3 picture, one of them twice.
inline uint32_t SampleColour(int x, int y) {
  static const uint32_t kColours[] = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0x808080,
                                      0x123456, 0xFEDCBA, 0x7F7F7F, 0x010203, 0xABCDEF};
  return kColours[(x + 5 * y) % 11];
}

// That picture at 24 bits, with a resolution of 2835 by 1000 pixels per metre.
class SampleImage : public TestImage {
 public:
  SampleImage() : TestImage(5, 3, 24) {
    record.header.x_pels_per_meter = 2835;
    record.header.y_pels_per_meter = 1000;
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 5; ++x) Set(x, y, SampleColour(x, y));
    }
  }
};
