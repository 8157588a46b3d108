// The Exif block a JPEG save keeps from its source file, and the search
// for it that the thumbnail replacement shares.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "codecs/jpeg_markers.h"

// The file's first APP1 segment holding Exif data, before its image data.
bool FindFirstExifSegment(const uint8_t* file, size_t size, ExifSegment* exif);

// The payload of the source file's first Exif APP1 segment (from "Exif" on,
// at most 65533 bytes as its length field allows), with the orientation set
// to 1, since the saved picture is already turned. False, and *payload
// emptied, when the file holds no Exif block.
bool ReadKeptExif(const uint8_t* file, size_t size, std::vector<uint8_t>* payload);
