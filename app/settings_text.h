// Text as the settings file stores it: UTF-16LE without terminator for a
// single string, and zero-terminated UTF-16LE names back to back for a list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

std::vector<uint8_t> EncodeSettingsText(const std::u16string& text);

// An odd trailing byte is ignored. The text ends at the first zero
// character, because every user of these strings hands them to the system as
// zero-terminated strings.
std::u16string DecodeSettingsText(const uint8_t* bytes, size_t size);

// Empty names are left out: they would only write a lone terminator, which
// reads back as nothing.
std::vector<uint8_t> EncodeSettingsStringList(const std::vector<std::u16string>& names);

// Empty names are skipped; a last name without its terminator still counts.
std::vector<std::u16string> DecodeSettingsStringList(const uint8_t* bytes, size_t size);
