#include "effects/right_angle_turn.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

#include "image/commit_image.h"
#include "image/image_buffer.h"

namespace {

// Rows: the command code 1..5; columns: the pending state 0..5.
constexpr int kNo = kOrientationNoCode;
constexpr int kComposed[5][6] = {
    {1, 2, 3, 0, kNo, kNo},
    {2, 3, 0, 1, 5, 4},
    {3, 0, 1, 2, kNo, kNo},
    {4, kNo, 5, kNo, 0, 2},
    {5, kNo, 4, kNo, 2, 0},
};

bool IsQuarterTurn(int code) { return code == kTurnClockwise || code == kTurnCounterClockwise; }

// Square tiles keep both the rows read and the rows written of a quarter
// turn in the cache; 128 pixels of 3 bytes on 128 rows is 48 KiB a side,
// which measured faster than smaller tiles.
constexpr int32_t kTile = 128;

template <int kBytes>
inline void CopyPixel(const uint8_t* from, uint8_t* to) {
  if constexpr (kBytes == 1) {
    *to = *from;
  } else {
    to[0] = from[0], to[1] = from[1], to[2] = from[2];
  }
}

// Stored rows run bottom-up, so in memory a clockwise turn puts source row r,
// column x at target row W - 1 - x, column r; a counter-clockwise one at
// target row x, column H - 1 - r. Each target row is one source column.
template <int kBytes>
void TurnQuarter(const ImageBuffer& source, bool clockwise, ImageBuffer* target) {
  const int32_t source_width = source.header.width;
  const int32_t source_height = source.header.height;
  const ptrdiff_t source_stride = Stride(source);
  for (int32_t row0 = 0; row0 < source_width; row0 += kTile) {
    const int32_t row_end = std::min(row0 + kTile, source_width);
    for (int32_t col0 = 0; col0 < source_height; col0 += kTile) {
      const int32_t col_end = std::min(col0 + kTile, source_height);
      for (int32_t row = row0; row < row_end; ++row) {
        const int32_t source_x = clockwise ? source_width - 1 - row : row;
        const int32_t first_source_row = clockwise ? col0 : source_height - 1 - col0;
        const uint8_t* from = RowFromBottom(source, first_source_row) + ptrdiff_t{kBytes} * source_x;
        const ptrdiff_t step = clockwise ? source_stride : -source_stride;
        uint8_t* to = RowFromBottom(*target, row) + ptrdiff_t{kBytes} * col0;
        for (int32_t col = col0; col < col_end; ++col, from += step, to += kBytes) {
          CopyPixel<kBytes>(from, to);
        }
      }
    }
  }
}

template <int kBytes>
void ReverseRow(const uint8_t* from, int32_t width, uint8_t* to) {
  const uint8_t* last = from + ptrdiff_t{kBytes} * (width - 1);
  for (int32_t x = 0; x < width; ++x, last -= kBytes, to += kBytes) CopyPixel<kBytes>(last, to);
}

// Mirror keeps every row where it is; a half turn also takes it from the
// other end; a flip copies whole rows in reverse order.
template <int kBytes>
void TurnRows(const ImageBuffer& source, int code, ImageBuffer* target) {
  const int32_t width = source.header.width;
  const int32_t height = source.header.height;
  const size_t stride = Stride(source);
  for (int32_t row = 0; row < height; ++row) {
    const uint8_t* from = RowFromBottom(source, code == kTurnMirror ? row : height - 1 - row);
    uint8_t* to = RowFromBottom(*target, row);
    if (code == kTurnFlip) {
      std::memcpy(to, from, stride);
    } else {
      ReverseRow<kBytes>(from, width, to);
    }
  }
}

template <int kBytes>
void MovePixels(const ImageBuffer& source, int code, ImageBuffer* target) {
  if (IsQuarterTurn(code)) {
    TurnQuarter<kBytes>(source, code == kTurnClockwise, target);
  } else {
    TurnRows<kBytes>(source, code, target);
  }
}

void DescribeTurned(const ImageBuffer& current, bool followed, ImageBuffer* result) {
  DibHeader& h = result->header;
  h.x_pels_per_meter = current.header.x_pels_per_meter;
  h.y_pels_per_meter = current.header.y_pels_per_meter;
  if (h.bit_count == 8) std::memcpy(result->palette, current.palette, sizeof(result->palette));
  result->source_bits_per_pixel = h.bit_count;
  result->source_size = static_cast<uint32_t>(Stride(*result) * uint64_t(h.height) + 54);
  result->source_format = current.source_format == kSourceJpeg && followed ? kSourceJpeg : kSourceBmp;
  result->last_write_time = current.last_write_time;
}

}  // namespace

int ComposeOrientation(int pending, int code) {
  if (code < kTurnClockwise || code > kTurnFlip || pending < 0 || pending > 5) return kNo;
  return kComposed[code - 1][pending];
}

TurnOutcome TurnImage(const ImageBuffer& current, int pending, int code, ImageBuffer* result) {
  TurnOutcome outcome{Status::kUnsupported, pending, false};
  ReleasePixels(result);
  const int bits = current.header.bit_count;
  if (code < kTurnClockwise || code > kTurnFlip || !current.pixels || (bits != 8 && bits != 24)) {
    return outcome;
  }
  const bool quarter = IsQuarterTurn(code);
  const int32_t width = quarter ? current.header.height : current.header.width;
  const int32_t height = quarter ? current.header.width : current.header.height;
  outcome.status = AllocatePixels(result, width, height, bits);
  if (outcome.status != Status::kOk) return outcome;
  if (bits == 8) {
    MovePixels<1>(current, code, result);
  } else {
    MovePixels<3>(current, code, result);
  }
  const int composed = ComposeOrientation(pending, code);
  outcome.orientation_followed = composed != kNo;
  if (outcome.orientation_followed) outcome.orientation = composed;
  DescribeTurned(current, outcome.orientation_followed, result);
  return outcome;
}

OrientationTurns TurnsForExifOrientation(int orientation) {
  switch (orientation) {
    case 2: return {1, {kTurnMirror, 0}};
    case 3: return {1, {kTurnHalf, 0}};
    case 4: return {1, {kTurnFlip, 0}};
    case 5: return {2, {kTurnClockwise, kTurnMirror}};  // transpose
    case 6: return {1, {kTurnClockwise, 0}};
    case 7: return {2, {kTurnCounterClockwise, kTurnMirror}};  // transverse
    case 8: return {1, {kTurnCounterClockwise, 0}};
    default: return {0, {0, 0}};
  }
}

Status ApplyExifOrientation(ImageBuffer* image, int orientation, int* rotation_state) {
  *rotation_state = 0;
  const OrientationTurns turns = TurnsForExifOrientation(orientation);
  if (turns.count == 0) return Status::kOk;
  // Every turn goes into a record of its own, so a failure at the second
  // leaves the image as it was.
  OwnedImage steps[2];
  const ImageBuffer* from = image;
  int state = 0;
  for (int i = 0; i < turns.count; ++i) {
    const TurnOutcome outcome = TurnImage(*from, state, turns.codes[i], &steps[i].record);
    if (outcome.status != Status::kOk) return outcome.status;
    state = outcome.orientation;
    from = &steps[i].record;
  }
  CommitImage(&steps[turns.count - 1].record, image);
  *rotation_state = state;
  return Status::kOk;
}
