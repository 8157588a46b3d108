// Reading GIF 87a and 89a files: the first image as an 8-bit still, or, for
// a file with the looping extension when the settings ask for frames, every
// image as a full-canvas 24-bit frame of an animation.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/decode_source.h"

// Decodes the source's bytes into its target and sets its status and
// results; false on failure, when the target holds no pixels (and no frame
// list). An animation's later frames go to target->animation. Source format
// GIF.
bool ReadGif(DecodeSource* source);

// The same on bytes in memory (an archive member, a test, a fuzzer).
Status ReadGifBytes(const uint8_t* data, size_t size, const DecodeSettings& settings,
                    ImageBuffer* target, LoadResults* results = nullptr);
