// The variable-length LZW code of GIF image data, decoded into palette
// indices.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kGifLzwMinCodeSizeLow = 2;
constexpr int kGifLzwMinCodeSizeHigh = 8;

// Decodes the image data (the sub-blocks already joined) with the given
// minimum code size into `pixels`, which holds `count` indices. Output
// beyond `count` is dropped; decoding ends at the end code, at the end of
// the data or at a code the table cannot hold yet, and pixels not reached
// keep what they held. Returns the number of indices written, 0 for a
// minimum code size outside 2 to 8.
size_t DecodeGifLzw(const uint8_t* data, size_t size, int min_code_size, uint8_t* pixels,
                    size_t count);
