#include "image/utf8_text.h"

#include <cstddef>

namespace {

// Length of the UTF-8 sequence a lead byte starts, 0 for a byte that cannot
// start one.
size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// The code point of a well-formed sequence at text[pos] and its length, or
// length 0 for a malformed one (cut short, overlong, a surrogate, too large).
size_t ReadSequence(std::string_view text, size_t pos, char32_t* code) {
  constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  const size_t length = SequenceLength(static_cast<unsigned char>(text[pos]));
  if (length == 0 || pos + length > text.size()) return 0;
  *code = static_cast<unsigned char>(text[pos]);
  if (length == 1) return 1;
  *code &= 0x7F >> length;
  for (size_t i = 1; i < length; ++i) {
    const unsigned char next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) return 0;
    *code = *code << 6 | (next & 0x3F);
  }
  const bool valid = *code >= kSmallest[length] && *code <= 0x10FFFF &&
                     !(*code >= 0xD800 && *code <= 0xDFFF);
  return valid ? length : 0;
}

}  // namespace

std::u16string Utf16FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    char32_t code = 0;
    const size_t length = ReadSequence(text, pos, &code);
    if (length == 0) code = 0xFFFD;
    pos += length ? length : 1;
    if (code < 0x10000) {
      out.push_back(char16_t(code));
    } else {
      out.push_back(char16_t(0xD800 + ((code - 0x10000) >> 10)));
      out.push_back(char16_t(0xDC00 + ((code - 0x10000) & 0x3FF)));
    }
  }
  return out;
}


namespace {

void AppendUtf8(char32_t code, std::string* out) {
  if (code < 0x80) {
    out->push_back(char(code));
  } else if (code < 0x800) {
    out->push_back(char(0xC0 | code >> 6));
    out->push_back(char(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out->push_back(char(0xE0 | code >> 12));
    out->push_back(char(0x80 | ((code >> 6) & 0x3F)));
    out->push_back(char(0x80 | (code & 0x3F)));
  } else {
    out->push_back(char(0xF0 | code >> 18));
    out->push_back(char(0x80 | ((code >> 12) & 0x3F)));
    out->push_back(char(0x80 | ((code >> 6) & 0x3F)));
    out->push_back(char(0x80 | (code & 0x3F)));
  }
}

bool IsHigh(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::string Utf8FromUtf16(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t code = text[i];
    if (IsHigh(text[i]) && i + 1 < text.size() && IsLow(text[i + 1])) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (IsHigh(text[i]) || IsLow(text[i])) {
      code = 0xFFFD;
    }
    AppendUtf8(code, &out);
  }
  return out;
}
