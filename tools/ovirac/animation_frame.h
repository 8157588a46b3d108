// Choosing one frame of an animated image for ovirac convert.
#pragma once

#include <cstdint>

#include "image/image_buffer.h"
#include "image/path.h"
#include "tools/ovirac/reader_options.h"

constexpr int32_t kNoFrameChosen = -1;

// Takes "--frame K" (0-based) when argv[*i] is it.
OptionParse ParseFrameOption(int argc, PathChar** argv, int* i, int32_t* frame);

// Makes the image the picture of frame `frame` alone, dropping its frame
// list; a still has only frame 0. Prints why and fails for a frame the
// image does not have.
bool KeepOnlyFrame(int32_t frame, ImageBuffer* image);
