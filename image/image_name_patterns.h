// Which file names are listed as images: those with an extension the viewer
// reads itself, and those fitting an extension pattern that an image plug-in
// announced ("*.pic", "*.ma?").
#pragma once

#include <span>
#include <string>
#include <string_view>

// In the order a folder is searched.
inline constexpr std::u16string_view kBuiltInImagePatterns[] = {
    u"*.jpg", u"*.png", u"*.gif", u"*.bmp", u"*.tif", u"*.tiff", u"*.jpe", u"*.jpeg"};

// Whether a name fits a pattern; ASCII letters match regardless of case.
// "*" followed by an extension is the usual pattern: the name must end in
// exactly that extension, with its dot where the extension begins, so "*.tif"
// takes a.tif but not b.tiff and "*.jpe" not c.jpeg (the system's own
// wildcard search returns those too, through their short names). In other
// patterns '*' stands for any run of characters and '?' for one. An empty
// name fits nothing.
bool NameFitsPattern(std::u16string_view name, std::u16string_view pattern);

// A pattern read once, for testing a whole folder of names against it. It
// refers to the pattern's text, which must outlive it.
class NamePattern {
 public:
  explicit NamePattern(std::u16string_view pattern);
  bool Fits(std::u16string_view name) const;

 private:
  std::u16string_view pattern_;
  std::u16string_view extension_;  // of a "*.ext" pattern; empty for any other
};

bool IsBuiltInImageName(std::u16string_view name);
bool FitsAnyPattern(std::u16string_view name, std::span<const std::u16string> patterns);
