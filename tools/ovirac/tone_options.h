// What ovirac adjust is asked to do: gamma, brightness or contrast, with
// one amount for every channel or one amount per channel.
#pragma once

#include "adjust/tone_values.h"
#include "image/image_buffer.h"
#include "image/path.h"
#include "tools/ovirac/reader_options.h"

enum class ToneKind { kGamma, kBrightness, kContrast };

struct ToneRequest {
  ToneKind kind = ToneKind::kGamma;
  const char* name = "gamma";
  AmountRange range = kGammaAmounts;
  bool value_given = false;
  bool channel_given[3] = {};  // blue, green, red
  ToneValues values = {};
};

// The adjustment named by `word`; prints why and fails for any other word.
bool ParseToneKind(const PathChar* word, ToneRequest* request);

// Takes --value, --red, --green or --blue (and its value, moving *i past
// it); an amount outside the adjustment's range is kBad.
OptionParse ParseToneOption(int argc, PathChar** argv, int* i, ToneRequest* request);

// After the command line: either --value or all three channels, not both;
// prints what is missing and fails otherwise.
bool ToneRequestComplete(const ToneRequest& request);

// The adjustment on the image's pixels (24 bits) or palette (8 bits).
void ApplyTone(const ToneRequest& request, ImageBuffer* image);
