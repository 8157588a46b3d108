// The five PNG scanline filters: undone when reading, applied and chosen
// per row when writing. `distance` is the pixel size in bytes (at least 1):
// each byte is predicted from the byte that many places to its left.
#pragma once

#include <cstddef>
#include <cstdint>

enum PngFilter : uint8_t {
  kFilterNone = 0,
  kFilterSub = 1,
  kFilterUp = 2,
  kFilterAverage = 3,
  kFilterPaeth = 4,
};

// Undoes `filter` on `row` in place against the previous unfiltered row
// (null for the first row of an image or pass, which counts as zeros).
// Unknown filter types leave the row as it is.
void UnfilterRow(uint8_t filter, uint8_t* row, const uint8_t* previous, size_t size,
                 size_t distance);

// Writes `row` filtered with `filter` into `out` (size bytes, no type byte).
void FilterRow(PngFilter filter, const uint8_t* row, const uint8_t* previous, size_t size,
               size_t distance, uint8_t* out);

// The writer's per-row choice: a filtered row scores one point for each
// byte that equals the byte before it (the type byte counts as the first)
// when that value is 0, 1, 2, 3, 252, 253, 254 or 255. Sub or Up (Sub on a
// tie) is weighed against Average or Paeth (Average on a tie), the second
// winning only when strictly better, and the winner is taken only when it
// beats None outright.
int FilterScore(uint8_t type, const uint8_t* filtered, size_t size);
PngFilter ChooseFilter(const int scores[5]);

uint8_t PaethPredictor(int left, int above, int upper_left);
