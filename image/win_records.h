// Windows record layouts that the portable code shares with GDI and with the
// file formats. Kept free of <windows.h> so the core builds on any host; the
// Windows build checks these against the system's own definitions.
#pragma once

#include <cstdint>

struct DibHeader {            // BITMAPINFOHEADER
  uint32_t size;              // always 40
  int32_t width;
  int32_t height;             // positive: rows are stored bottom-up
  uint16_t planes;            // always 1
  uint16_t bit_count;
  uint32_t compression;
  uint32_t size_image;
  int32_t x_pels_per_meter;
  int32_t y_pels_per_meter;
  uint32_t clr_used;
  uint32_t clr_important;
};
static_assert(sizeof(DibHeader) == 40);

struct RgbQuad {              // RGBQUAD
  uint8_t blue;
  uint8_t green;
  uint8_t red;
  uint8_t reserved;
};
static_assert(sizeof(RgbQuad) == 4);

struct FileTimeValue {        // FILETIME: 100 ns ticks since 1601-01-01 UTC
  uint32_t low;
  uint32_t high;
};
static_assert(sizeof(FileTimeValue) == 8);
