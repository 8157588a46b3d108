#include "codecs/png_filters.h"

#include <cstdlib>

#include "codecs/png_unfilter_wide.h"

namespace {

uint8_t Left(const uint8_t* row, size_t i, size_t distance) {
  return i >= distance ? row[i - distance] : 0;
}
uint8_t Above(const uint8_t* previous, size_t i) { return previous ? previous[i] : 0; }
uint8_t UpperLeft(const uint8_t* previous, size_t i, size_t distance) {
  return previous && i >= distance ? previous[i - distance] : 0;
}

// What the filter predicts for byte i from bytes already known.
uint8_t Prediction(uint8_t filter, const uint8_t* row, const uint8_t* previous, size_t i,
                   size_t distance) {
  switch (filter) {
    case kFilterSub: return Left(row, i, distance);
    case kFilterUp: return Above(previous, i);
    case kFilterAverage: return uint8_t((Left(row, i, distance) + Above(previous, i)) / 2);
    case kFilterPaeth:
      return PaethPredictor(Left(row, i, distance), Above(previous, i),
                            UpperLeft(previous, i, distance));
    default: return 0;
  }
}

}  // namespace

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

void FilterRow(PngFilter filter, const uint8_t* row, const uint8_t* previous, size_t size,
               size_t distance, uint8_t* out) {
  if (distance == 0) distance = 1;
  for (size_t i = 0; i < size; ++i) {
    out[i] = uint8_t(row[i] - Prediction(filter, row, previous, i, distance));
  }
}

int FilterScore(uint8_t type, const uint8_t* filtered, size_t size) {
  int score = 0;
  uint8_t before = type;
  for (size_t i = 0; i < size; ++i) {
    uint8_t v = filtered[i];
    if (v == before && (v <= 3 || v >= 252)) ++score;
    before = v;
  }
  return score;
}

PngFilter ChooseFilter(const int scores[5]) {
  PngFilter first = scores[kFilterUp] > scores[kFilterSub] ? kFilterUp : kFilterSub;
  PngFilter second = scores[kFilterPaeth] > scores[kFilterAverage] ? kFilterPaeth : kFilterAverage;
  PngFilter best = scores[second] > scores[first] ? second : first;
  return scores[best] > scores[kFilterNone] ? best : kFilterNone;
}
