#include "codecs/png_filters.h"

#include <cstdlib>
#include <cstring>

#include "codecs/png_unfilter_wide.h"

// Written with selects rather than branches: which neighbour wins changes
// from byte to byte, and mispredicted branches would cost more than the
// arithmetic.
uint8_t PaethPredictor(int left, int above, int upper_left) {
  const int to_left = std::abs(above - upper_left);
  const int to_above = std::abs(left - upper_left);
  const int to_upper_left = std::abs(left + above - 2 * upper_left);
  const int not_left = to_above <= to_upper_left ? above : upper_left;
  return uint8_t(to_left <= to_above && to_left <= to_upper_left ? left : not_left);
}

// One loop per filter: decoding runs this for every byte of every image,
// so the choice of filter is made once per row, not once per byte. Bytes
// left of the row and a missing previous row count as zeros.
void UnfilterRow(uint8_t filter, uint8_t* row, const uint8_t* previous, size_t size,
                 size_t distance) {
  if (distance == 0) distance = 1;
  if (UnfilterRowWide(filter, row, previous, size, distance)) return;
  size_t lead = distance < size ? distance : size;
  switch (filter) {
    case kFilterSub:
      for (size_t i = distance; i < size; ++i) row[i] = uint8_t(row[i] + row[i - distance]);
      return;
    case kFilterUp:
      if (!previous) return;
      for (size_t i = 0; i < size; ++i) row[i] = uint8_t(row[i] + previous[i]);
      return;
    case kFilterAverage:
      if (!previous) {
        for (size_t i = distance; i < size; ++i) {
          row[i] = uint8_t(row[i] + row[i - distance] / 2);
        }
        return;
      }
      for (size_t i = 0; i < lead; ++i) row[i] = uint8_t(row[i] + previous[i] / 2);
      for (size_t i = lead; i < size; ++i)
        row[i] = uint8_t(row[i] + (row[i - distance] + previous[i]) / 2);
      return;
    case kFilterPaeth:
      if (!previous) {  // the predictor then always picks the left byte
        for (size_t i = distance; i < size; ++i) row[i] = uint8_t(row[i] + row[i - distance]);
        return;
      }
      for (size_t i = 0; i < lead; ++i) row[i] = uint8_t(row[i] + previous[i]);
      for (size_t i = lead; i < size; ++i) {
        row[i] = uint8_t(row[i] + PaethPredictor(row[i - distance], previous[i],
                                                 previous[i - distance]));
      }
      return;
    default:  // None, and types the standard does not define
      return;
  }
}

// One loop per filter, as for undoing them: the writer filters every row
// up to five times when it chooses.
void FilterRow(PngFilter filter, const uint8_t* row, const uint8_t* previous, size_t size,
               size_t distance, uint8_t* out) {
  if (distance == 0) distance = 1;
  size_t lead = distance < size ? distance : size;
  switch (filter) {
    case kFilterSub:
      std::memcpy(out, row, lead);
      for (size_t i = lead; i < size; ++i) out[i] = uint8_t(row[i] - row[i - distance]);
      return;
    case kFilterUp:
      if (!previous) break;
      for (size_t i = 0; i < size; ++i) out[i] = uint8_t(row[i] - previous[i]);
      return;
    case kFilterAverage:
      if (!previous) {
        std::memcpy(out, row, lead);
        for (size_t i = lead; i < size; ++i) out[i] = uint8_t(row[i] - row[i - distance] / 2);
        return;
      }
      for (size_t i = 0; i < lead; ++i) out[i] = uint8_t(row[i] - previous[i] / 2);
      for (size_t i = lead; i < size; ++i)
        out[i] = uint8_t(row[i] - (row[i - distance] + previous[i]) / 2);
      return;
    case kFilterPaeth:
      if (!previous) return FilterRow(kFilterSub, row, previous, size, distance, out);
      for (size_t i = 0; i < lead; ++i) out[i] = uint8_t(row[i] - previous[i]);
      for (size_t i = lead; i < size; ++i) {
        out[i] = uint8_t(row[i] - PaethPredictor(row[i - distance], previous[i],
                                                 previous[i - distance]));
      }
      return;
    default:
      break;
  }
  std::memcpy(out, row, size);  // None, and Up with nothing above
}

// Written without a branch per byte so the compiler can vectorise it: the
// writer scores five versions of every row. v + 4 wraps 252..255 onto 0..3
// and moves 0..3 to 4..7, so the counted values are those below 8.
int FilterScore(uint8_t type, const uint8_t* filtered, size_t size) {
  if (size == 0) return 0;
  int score = filtered[0] == type && uint8_t(filtered[0] + 4) < 8;
  for (size_t i = 1; i < size; ++i) {
    score += (filtered[i] == filtered[i - 1]) & (uint8_t(filtered[i] + 4) < 8);
  }
  return score;
}

PngFilter ChooseFilter(const int scores[5]) {
  PngFilter first = scores[kFilterUp] > scores[kFilterSub] ? kFilterUp : kFilterSub;
  PngFilter second = scores[kFilterPaeth] > scores[kFilterAverage] ? kFilterPaeth : kFilterAverage;
  PngFilter best = scores[second] > scores[first] ? second : first;
  return scores[best] > scores[kFilterNone] ? best : kFilterNone;
}
