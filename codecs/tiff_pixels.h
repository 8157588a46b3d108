// From a read TIFF directory to pixels: the strips joined in order, the
// output depth and palette chosen by photometric interpretation and bit
// depth, and the resolution.
#pragma once

#include "codecs/tiff_directory.h"
#include "image/image_buffer.h"

// kUnsupported unless the photometric interpretation and bit depth have an
// output, and its pixel block can be stored.
Status CheckTiffOutput(const TiffDirectory& directory);

// The rows of every strip in order: the file's own bytes when the strips
// follow one another and need no change, else a joined copy.
struct TiffRows {
  PageBlock joined;
  const uint8_t* data = nullptr;
};

// Gathers the strips, which must lie in the data and together hold every
// row; call after CheckTiffOutput. kUnsupported when their byte counts
// overflow 32 bits, kReadFailed when a strip runs past the data or the rows
// are not all there.
Status GatherTiffRows(const TiffBytes& bytes, const TiffDirectory& directory, TiffRows* rows);

// Fills the target from the joined rows, with its palette, resolution and
// source depth.
Status MakeTiffImage(const TiffBytes& bytes, const TiffDirectory& directory, const uint8_t* rows,
                     ImageBuffer* target);
