// The Exif thumbnail of a saved JPEG file made anew from the image saved, so
// that it shows the picture as it is now (turned, edited, resized).
#pragma once

#include <cstdint>
#include <vector>

#include "codecs/jpeg_writer.h"
#include "image/image_buffer.h"

// Longest side of the thumbnail.
constexpr int32_t kExifThumbnailSide = 160;

// The thumbnail's size for an image: the longer side 160, the other in the
// same proportion, rounded, and at least 1.
void ExifThumbnailSize(int32_t width, int32_t height, int32_t* thumbnail_width,
                       int32_t* thumbnail_height);

// file: a whole JPEG file whose first Exif APP1 segment names a thumbnail
// in IFD1. The thumbnail is replaced by the image scaled down, written with
// `settings` (its Exif block and comment left out) at the highest quality
// that lets the segment stay within its 65535-byte length; the segment keeps
// its Exif data up to the thumbnail and the file everything after the
// segment. False, with the bytes untouched, when any step fails.
bool ReplaceExifThumbnail(std::vector<uint8_t>* file, const ImageBuffer& image,
                          const JpegWriteContext& settings);

// The same on an Exif block alone (from "Exif" on), before the file is
// written, so that a size-limited save measures the file with its new
// thumbnail.
bool ReplaceExifBlockThumbnail(std::vector<uint8_t>* block, const ImageBuffer& image,
                               const JpegWriteContext& settings);
