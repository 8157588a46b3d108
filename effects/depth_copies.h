// The conversions between depths that lose nothing: unpacking indices,
// looking colours up in the palette, copying, and widening 8-bit samples to
// 16 bits and back.
#pragma once

#include <cstddef>
#include <cstdint>

#include "effects/source_image.h"

// 1, 2 or 4-bit indices to one byte each; the 1- and 4-bit palettes are
// copied, a 2-bit target palette stays as the caller gave it.
void UnpackIndices(const SourceImage& image, size_t target_stride, RgbQuad* palette,
                   uint8_t* target);

// 1, 4 or 8-bit indices to blue, green, red.
void LookUpPaletteColours(const SourceImage& image, size_t target_stride, uint8_t* target);

// Same depth: rows (and the whole palette at 8 bits) as they are.
void CopyUnchanged(const SourceImage& image, RgbQuad* palette, uint8_t* target);

// 24 to 48 bits: every byte v becomes the little-endian sample v x 256.
void WidenSamples(const SourceImage& image, size_t target_stride, uint8_t* target);

// 48 to 24 bits: the high byte of every sample.
void NarrowSamples(const SourceImage& image, size_t target_stride, uint8_t* target);
