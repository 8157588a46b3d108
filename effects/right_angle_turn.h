// The five right-angle turns and flips of the current image, the small
// orientation state that says whether the image still equals its JPEG file
// up to one of them, and the turns that show an Exif-oriented photograph
// upright.
#pragma once

#include "image/image_buffer.h"

// Codes of the five operations; each is also the orientation state it produces alone.
enum TurnCode : int {
  kTurnClockwise = 1,
  kTurnHalf = 2,
  kTurnCounterClockwise = 3,
  kTurnMirror = 4,
  kTurnFlip = 5,
};
constexpr int kFirstTurnCommand = 5150;  // 5150..5154 are codes 1..5
constexpr int kOrientationNoCode = -1;

// The accumulated orientation after `code` following `pending` (0..5), or
// kOrientationNoCode when a quarter turn meets a mirror (or either is out of range).
int ComposeOrientation(int pending, int code);

struct TurnOutcome {
  Status status;
  int orientation;            // the composed state, or `pending` when it could not follow
  bool orientation_followed;  // false for a combination without a code
};

// Turns `current` (8 or 24 bits) into `result`, a value-initialised or
// released record, which gets the new header, the palette at 8 bits and the
// source properties of a turned image. kUnsupported for a code outside 1..5
// or a block over 32 bits, kNoMemory without pages; `current` is never
// changed and a failed `result` holds no pixels.
TurnOutcome TurnImage(const ImageBuffer& current, int pending, int code, ImageBuffer* result);

// The turns that show a photograph stored with this Exif orientation
// upright, in order; none for 1 and for values outside 1..8.
struct OrientationTurns {
  int count;
  int codes[2];
};
OrientationTurns TurnsForExifOrientation(int orientation);

// Turns `image` in place so a photograph with this Exif orientation shows
// upright, and sets *rotation_state to the orientation state the turns
// leave, counted from 0. On failure the image is as it was.
Status ApplyExifOrientation(ImageBuffer* image, int orientation, int* rotation_state);
