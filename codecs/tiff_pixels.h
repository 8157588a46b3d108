// From a read TIFF directory to pixels: the strips joined in order, the
// output depth and palette chosen by photometric interpretation and bit
// depth, and the resolution.
#pragma once

#include "codecs/tiff_directory.h"
#include "image/image_buffer.h"

// kUnsupported unless the photometric interpretation and bit depth have an
// output, and its pixel block can be stored.
Status CheckTiffOutput(const TiffDirectory& directory);

// Joins the strips, which must lie in the data and together hold every
// row; call after CheckTiffOutput. kUnsupported when their byte counts overflow 32 bits, kReadFailed
// when a strip runs past the data or the rows are not all there.
Status JoinTiffStrips(const TiffBytes& bytes, const TiffDirectory& directory, PageBlock* joined);

// Fills the target from the joined rows, with its palette, resolution and
// source depth.
Status MakeTiffImage(const TiffBytes& bytes, const TiffDirectory& directory, const uint8_t* rows,
                     ImageBuffer* target);
