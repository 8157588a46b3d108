// The few Exif fields the JPEG codec reads and rewrites: the orientation,
// the pixel dimensions of the Exif sub-IFD and the thumbnail's place. Every
// function takes the block from "Exif" on (the APP1 payload) and checks
// every count and offset the file gives against the block's size.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint16_t kExifOrientationNormal = 1;

// IFD0's orientation when it is one of the eight Exif defines (turns and
// mirrored turns alike, all of which the viewer undoes); 1 for any other
// value and without one.
uint16_t ReadExifOrientation(const uint8_t* block, size_t size);

// Sets IFD0's orientation to 1 in the block's byte order, for an image that
// is saved already turned. False when the block holds no orientation.
bool ResetExifOrientation(uint8_t* block, size_t size);

// Rewrites the Exif sub-IFD's pixel X and Y dimensions as LONG values. The
// block stays as it is unless its TIFF header is sound and the sub-IFD lies
// inside it; false when nothing was written.
bool SetExifPixelSize(uint8_t* block, size_t size, uint32_t width, uint32_t height);

// IFD1's thumbnail: its offset from the TIFF header and its length, when
// both are there and the thumbnail lies inside the block.
bool FindExifThumbnail(const uint8_t* block, size_t size, uint32_t* offset, uint32_t* length);

// Sets IFD1's thumbnail length (a LONG value), for a replaced thumbnail.
// False when the block has no IFD1 with a length entry.
bool SetExifThumbnailLength(uint8_t* block, size_t size, uint32_t length);
