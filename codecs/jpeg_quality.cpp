#include "codecs/jpeg_quality.h"

#include <algorithm>
#include <cstdint>

const unsigned int kStandardLuminanceTable[kJpegTableEntries] = {
    16, 11, 10, 16, 24,  40,  51,  61,   //
    12, 12, 14, 19, 26,  58,  60,  55,   //
    14, 13, 16, 24, 40,  57,  69,  56,   //
    14, 17, 22, 29, 51,  87,  80,  62,   //
    18, 22, 37, 56, 68,  109, 103, 77,   //
    24, 35, 55, 64, 81,  104, 113, 92,   //
    49, 64, 78, 87, 103, 121, 120, 101,  //
    72, 92, 95, 98, 112, 100, 103, 99};

// Mostly 99: only the low frequencies of the top left corner are finer.
const unsigned int kStandardChrominanceTable[kJpegTableEntries] = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,  // rows 1 and 2
    24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,  // rows 3 and 4
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,  // rows 5 to 8
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

int JpegQualityScale(int quality) {
  quality = std::clamp(quality, 1, 100);
  return quality < 50 ? 5000 / quality : 200 - 2 * quality;
}

void ScaleJpegTable(const unsigned int* standard, int quality, unsigned int* scaled) {
  const int64_t scale = JpegQualityScale(quality);
  for (int i = 0; i < kJpegTableEntries; ++i) {
    const int64_t entry = (int64_t{standard[i]} * scale + 50) / 100;
    scaled[i] = static_cast<unsigned int>(std::clamp<int64_t>(entry, 1, 255));
  }
}

void InstallJpegQuality(j_compress_ptr info, int quality) {
  unsigned int table[kJpegTableEntries];
  // Scaled here already, so the library is told 100 percent.
  ScaleJpegTable(kStandardLuminanceTable, quality, table);
  jpeg_add_quant_table(info, 0, table, 100, TRUE);
  ScaleJpegTable(kStandardChrominanceTable, quality, table);
  jpeg_add_quant_table(info, 1, table, 100, TRUE);
}
