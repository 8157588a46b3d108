// The value texts of the Exif dialog's items, made from the fields of one
// block.
#pragma once

#include "codecs/exif_fields.h"
#include "codecs/exif_info.h"

void FormatExifItems(const ExifFields& fields, const ExifStrings& strings, ExifInfo* out);
