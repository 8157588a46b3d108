// Everything an encoder needs to know about how to write the current image,
// taken from the save settings for one save.
#pragma once

#include <cstdint>
#include <string>

enum SaveType : int32_t {
  kSaveBmp = 0,
  kSavePng = 1,
  kSaveJpeg = 2,
  kSaveTiff = 3,
  kSaveGif = 4,
  kSaveJpegLossless = 5,  // keeps the JPEG's coded data
};

struct SaveOptions {
  int32_t type = kSaveBmp;
  int32_t bmp_depth = 24;
  int32_t png_depth = 24;
  bool png_grey = false;
  int32_t jpeg_quality = 75;
  int32_t jpeg_subsampling = 0;
  bool jpeg_greyscale = false;
  bool jpeg_progressive = false;
  int32_t tiff_depth = 24;
  bool tiff_grey = false;
  int32_t gif_depth = 8;
  bool dither = false;
  bool interlace = false;
  int32_t compression_level = 9;
  int32_t filter_mode = 0;
  bool transparency = false;
  uint32_t transparent_colour = 0xFFFFFF;
  int32_t gamma = 2200;
  bool keep_exif = true;
  bool size_limit = false;
  int32_t size_limit_kib = 100;
  bool comment = false;
  std::string comment_text;  // ANSI code page bytes, as the PNG comment holds them
  int32_t lossless_markers = 2;
  bool lossless_trim = false;
  bool lossless_greyscale = false;

  // A save preview's temporary file may stand in for a save only while the
  // options it was made with are still these.
  bool operator==(const SaveOptions&) const = default;
};
