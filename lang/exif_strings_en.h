// The English texts of the Exif information: the names of enumerated
// values (50200 to 50461) and the item labels (51000 to 51061), for the
// tools and tests that run without the language module.
#pragma once

#include <string>

// The text of string `id`, or nullptr when there is none.
const char16_t* EnglishExifString(int id);

// The same as a string, empty when there is none: fits ExifStrings.
std::u16string EnglishExifText(int id);
