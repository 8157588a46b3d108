// Case-blind comparison of ASCII letters only. File names on Windows match
// regardless of case, and the names the viewer compares (extensions, names
// from a path) differ, if at all, in ASCII letters; anything beyond ASCII is
// compared as it is.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

constexpr char16_t AsciiLower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

constexpr bool EqualIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// Position of the first element named exactly `name`, else of the first whose
// name differs only in the case of ASCII letters. The exact match wins
// because systems with case-sensitive names can hold both a.jpg and A.JPG.
template <typename Elements, typename NameOf>
std::optional<size_t> FindByName(const Elements& elements, std::u16string_view name,
                                 NameOf name_of) {
  for (size_t i = 0; i < elements.size(); ++i) {
    if (name_of(elements[i]) == name) return i;
  }
  for (size_t i = 0; i < elements.size(); ++i) {
    if (EqualIgnoringAsciiCase(name_of(elements[i]), name)) return i;
  }
  return std::nullopt;
}
