// The IDAT sequence of a PNG: checked and gathered, then decoded into the
// rows of the target image, interlaced or not.
#pragma once

#include <vector>

#include "codecs/png_chunk.h"
#include "codecs/png_header.h"
#include "codecs/png_pixels.h"
#include "codecs/png_scanlines.h"
#include "image/image_buffer.h"

// Starting from the first IDAT (whose CRC is checked: kPngBadChecksum), every
// directly following IDAT is checked too and joined; kPngBrokenImageData when
// one of them fails or the whole is above 4 GiB. `after` is where the next
// chunk begins.
Status GatherImageData(const PngChunk& first, const uint8_t* end, std::vector<ByteSpan>* stream,
                       const uint8_t** after);

// Decodes the data into `target`, whose pixels are allocated to the header's
// size. A stream that ends early leaves the rest of the image as a zero
// source pixel would look (the background, under an alpha channel).
Status DecodeImageData(std::vector<ByteSpan> stream, const PngHeader& header,
                       const PngPixelRule& rule, ImageBuffer* target);
