// The camera data of a JPEG file's Exif block as the Exif dialog shows it:
// 62 items in a fixed order, each a label and a value text. The texts that
// name enumerated values come from the caller, so the viewer shows them in
// the language module's words and the tools and tests in English.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

constexpr int kExifItemCount = 62;
// An item's label is this string plus the item's number.
constexpr int kExifItemLabelBase = 51000;

struct ExifItem {
  bool present = false;
  std::u16string value;
};

struct ExifInfo {
  std::array<ExifItem, kExifItemCount> items;
};

// The text of a language-module string by its number.
using ExifStrings = std::function<std::u16string(int id)>;

// Fills *out from a whole JPEG file or from a bare Exif block (the APP1
// payload from "Exif" on). False when no Exif block is found, so there is
// nothing to show.
bool ReadExifInfo(const uint8_t* data, size_t size, const ExifStrings& strings, ExifInfo* out);
