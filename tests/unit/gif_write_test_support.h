// GIF files the writer made, taken apart block by block and their image
// data decoded with our LZW decoder, so the tests can check every field.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "codecs/gif_lzw.h"

using Bytes = std::vector<uint8_t>;

struct WrittenGif {
  uint32_t width = 0, height = 0;
  uint8_t screen_packed = 0, background = 0, aspect = 0;
  Bytes table;    // red, green, blue entries as written
  Bytes control;  // the graphic control extension, introducer to terminator
  uint32_t left = 0, top = 0, image_width = 0, image_height = 0;
  uint8_t image_packed = 0;
  int min_code_size = 0;
  std::vector<size_t> block_sizes;  // of the image data, the zero block last
  Bytes data;                       // the sub-blocks joined
  bool trailer_last = false;        // ';' is the final byte
};

inline uint32_t Le16(const Bytes& b, size_t at) { return b[at] | uint32_t(b[at + 1]) << 8; }

// Only the layout the writer makes: no local table, at most one extension.
inline WrittenGif TakeApart(const Bytes& file) {
  WrittenGif g;
  if (file.size() < 13 || std::string(file.begin(), file.begin() + 6) != "GIF89a") {
    ADD_FAILURE() << "no GIF89a header";
    return g;
  }
  g.width = Le16(file, 6), g.height = Le16(file, 8);
  g.screen_packed = file[10], g.background = file[11], g.aspect = file[12];
  size_t at = 13;
  if (g.screen_packed & 0x80) {
    const size_t table_bytes = 3u << ((g.screen_packed & 7) + 1);
    g.table.assign(file.begin() + at, file.begin() + at + table_bytes);
    at += table_bytes;
  }
  if (file.at(at) == 0x21) {
    g.control.assign(file.begin() + at, file.begin() + at + 8);
    at += 8;
  }
  EXPECT_EQ(file.at(at), 0x2C) << "image descriptor expected at " << at;
  g.left = Le16(file, at + 1), g.top = Le16(file, at + 3);
  g.image_width = Le16(file, at + 5), g.image_height = Le16(file, at + 7);
  g.image_packed = file.at(at + 9);
  g.min_code_size = file.at(at + 10);
  at += 11;
  while (at < file.size()) {
    const size_t length = file[at++];
    g.block_sizes.push_back(length);
    if (length == 0) break;
    g.data.insert(g.data.end(), file.begin() + at, file.begin() + at + length);
    at += length;
  }
  g.trailer_last = at + 1 == file.size() && file[at] == ';';
  return g;
}

// The indices in stream order; the decoder must meet the end code exactly
// at the last pixel, so one more slot stays untouched.
inline Bytes StreamIndices(const WrittenGif& g) {
  const size_t count = size_t{g.image_width} * g.image_height;
  Bytes pixels(count + 1, 0xEE);
  EXPECT_EQ(DecodeGifLzw(g.data.data(), g.data.size(), g.min_code_size, pixels.data(),
                         pixels.size()),
            count);
  pixels.pop_back();
  return pixels;
}

// Picture rows of an interlaced stream in the order the passes hold them.
inline std::vector<uint32_t> InterlacedRowOrder(uint32_t height) {
  std::vector<uint32_t> rows;
  const uint32_t start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    for (uint32_t r = start[pass]; r < height; r += step[pass]) rows.push_back(r);
  }
  return rows;
}

// The indices with rows from the picture's top, interlacing undone.
inline Bytes PictureIndices(const WrittenGif& g) {
  const Bytes stream = StreamIndices(g);
  if (!(g.image_packed & 0x40)) return stream;
  Bytes picture(stream.size());
  const std::vector<uint32_t> order = InterlacedRowOrder(g.image_height);
  for (size_t k = 0; k < order.size(); ++k) {
    std::copy_n(stream.begin() + k * g.image_width, g.image_width,
                picture.begin() + size_t{order[k]} * g.image_width);
  }
  return picture;
}

// Pixel i of the picture as 0xRRGGBB through the global table.
inline uint32_t TableColour(const WrittenGif& g, uint8_t index) {
  const size_t at = 3 * size_t{index};
  return uint32_t(g.table.at(at)) << 16 | uint32_t(g.table.at(at + 1)) << 8 | g.table.at(at + 2);
}
