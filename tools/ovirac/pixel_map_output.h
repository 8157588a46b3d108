// Binary PPM and PGM output: plain pixel maps that any tool can compare
// pixel by pixel, rows from the top.
#pragma once

#include "codecs/byte_sink.h"
#include "image/image_buffer.h"

// Colours of an 8-bit (through its palette) or 24-bit image.
Status WritePpm(const ImageBuffer& image, ByteSink* out);

// Luminance of every pixel, as grey PNG and TIFF output store it.
Status WritePgm(const ImageBuffer& image, ByteSink* out);
