// UTF-8 bytes as UTF-16, for names that other systems hand over as UTF-8:
// POSIX directory listings and ZIP members flagged as UTF-8.
#pragma once

#include <string>
#include <string_view>

// A malformed sequence (cut short, overlong, a surrogate, beyond U+10FFFF)
// becomes U+FFFD one byte at a time, so every name converts.
std::u16string Utf16FromUtf8(std::string_view text);

// The reverse, for printing: an unpaired surrogate becomes U+FFFD.
std::string Utf8FromUtf16(std::u16string_view text);
