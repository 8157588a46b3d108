// The keyword and text pairs of a PNG file's tEXt chunks, as the text
// dialog lists them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr size_t kPngTextEntryLimit = 16;
constexpr size_t kPngKeywordLimit = 79;
constexpr size_t kPngTextLimit = 1023;

struct PngTextEntry {
  std::u16string keyword;
  std::u16string text;
};

struct PngTextList {
  std::vector<PngTextEntry> entries;  // at most kPngTextEntryLimit, in file order
};

// Fills *out from the tEXt chunks before IEND whose CRC matches and whose
// keyword is not empty. False when there is no such chunk.
bool ReadPngTexts(const uint8_t* data, size_t size, PngTextList* out);
