#include "image/image_name_patterns.h"

#include "image/ascii_case.h"

namespace {

bool SameUnit(char16_t a, char16_t b) { return AsciiLower(a) == AsciiLower(b); }

// The extension of a "*.ext" pattern, or nothing for any other pattern.
std::u16string_view PlainExtension(std::u16string_view pattern) {
  if (pattern.size() < 2 || pattern[0] != u'*') return {};
  const std::u16string_view extension = pattern.substr(1);
  return extension.find_first_of(u"*?") == std::u16string_view::npos ? extension
                                                                     : std::u16string_view{};
}

bool EndsWithExtension(std::u16string_view name, std::u16string_view extension) {
  return name.size() >= extension.size() &&
         EqualIgnoringAsciiCase(name.substr(name.size() - extension.size()), extension);
}

// '*' matches greedily and, on a later mismatch, gives back one character
// at a time: linear in practice, and never worse than name x pattern.
bool WildcardMatch(std::u16string_view name, std::u16string_view pattern) {
  constexpr size_t kNone = std::u16string_view::npos;
  size_t n = 0, p = 0, star = kNone, star_n = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == u'*') {
      star = p++;
      star_n = n;
    } else if (p < pattern.size() && (pattern[p] == u'?' || SameUnit(pattern[p], name[n]))) {
      ++p;
      ++n;
    } else if (star != kNone) {
      p = star + 1;
      n = ++star_n;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

}  // namespace

NamePattern::NamePattern(std::u16string_view pattern)
    : pattern_(pattern), extension_(PlainExtension(pattern)) {}

bool NamePattern::Fits(std::u16string_view name) const {
  if (name.empty()) return false;
  return extension_.empty() ? WildcardMatch(name, pattern_) : EndsWithExtension(name, extension_);
}

bool NameFitsPattern(std::u16string_view name, std::u16string_view pattern) {
  return NamePattern(pattern).Fits(name);
}

bool IsBuiltInImageName(std::u16string_view name) {
  for (std::u16string_view pattern : kBuiltInImagePatterns) {
    if (NameFitsPattern(name, pattern)) return true;
  }
  return false;
}

bool FitsAnyPattern(std::u16string_view name, std::span<const std::u16string> patterns) {
  for (const std::u16string& pattern : patterns) {
    if (NameFitsPattern(name, pattern)) return true;
  }
  return false;
}
