// Writing the current image as a BMP file of 24, 8, 4 or 1 bits per pixel,
// through the depth converter when the depth changes.
#pragma once

#include "codecs/byte_sink.h"
#include "image/image_buffer.h"

// image: 8 bits with palette or 24 bits. dither: the save settings'
// reduction option. Status: kEncodeFailed for another depth or a failed
// conversion, kNoMemory, kCannotWrite when the output refuses a byte or the
// file would reach 4 GiB. After a failure the output holds a partial file.
Status WriteBmp(const ImageBuffer& image, int target_bits, bool dither, ByteSink* out);
