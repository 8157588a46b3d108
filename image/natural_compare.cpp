#include "image/natural_compare.h"

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Upper-case letters of the Latin-1, Greek and Cyrillic blocks become their
// lower-case forms, which covers the names users actually type; other
// scripts compare by code unit.
char16_t FoldCase(char16_t c) {
  if (c >= u'A' && c <= u'Z') return char16_t(c + 0x20);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return char16_t(c + 0x20);
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return char16_t(c + 0x20);
  if (c >= 0x410 && c <= 0x42F) return char16_t(c + 0x20);
  if (c >= 0x400 && c <= 0x40F) return char16_t(c + 0x50);
  return c;
}

// Punctuation and spaces come first, then digits, then letters and the rest:
// "a.jpg" and "a (2).jpg" precede "a1.jpg", which precedes "ab.jpg".
int Rank(char16_t folded) {
  if (IsDigit(folded)) return 1;
  if (folded < 0x80 && !(folded >= u'a' && folded <= u'z')) return 0;
  return 2;
}

int CompareUnits(char16_t a, char16_t b) {
  const char16_t x = FoldCase(a), y = FoldCase(b);
  if (Rank(x) != Rank(y)) return Rank(x) < Rank(y) ? -1 : 1;
  return x == y ? 0 : (x < y ? -1 : 1);
}

// The significant digits of the run starting at *pos (leading zeros dropped,
// so the value needs no integer type and never overflows); moves *pos past
// the run.
std::u16string_view TakeDigitRun(std::u16string_view text, size_t* pos) {
  while (*pos < text.size() && text[*pos] == u'0') ++*pos;
  const size_t start = *pos;
  while (*pos < text.size() && IsDigit(text[*pos])) ++*pos;
  return text.substr(start, *pos - start);
}

int CompareDigitRuns(std::u16string_view a, size_t* i, std::u16string_view b, size_t* j) {
  const std::u16string_view x = TakeDigitRun(a, i), y = TakeDigitRun(b, j);
  // Without leading zeros the longer run is the larger number.
  if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
  const int order = x.compare(y);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

}  // namespace

int NaturalCompare(std::u16string_view a, std::u16string_view b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    // Names in one folder share long prefixes; equal units need no folding.
    if (a[i] == b[j] && !IsDigit(a[i])) {
      ++i;
      ++j;
      continue;
    }
    int order;
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      order = CompareDigitRuns(a, &i, b, &j);
    } else {
      order = CompareUnits(a[i++], b[j++]);
    }
    if (order != 0) return order;
  }
  // All read the same so far: the one with text left comes second.
  return int(i < a.size()) - int(j < b.size());
}
