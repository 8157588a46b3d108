#include "view/title_text.h"

#include <cmath>

#include "image/image_buffer.h"

namespace {

std::u16string Number(uint64_t value) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value);
  return digits;
}

// KiB with one decimal, truncated: 1536 bytes read "1.5KB".
std::u16string KibText(uint32_t bytes) {
  return Number(bytes / 1024) + u"." + Number((bytes % 1024) * 10 / 1024) + u"KB";
}

std::u16string PropertyLetters(const TitleInput& in) {
  const LoadResults& r = in.load;
  std::u16string letters;
  switch (in.source_format) {
    case kSourcePng:
      if (r.interlaced_or_progressive) letters += u'I';
      if (r.transparency) letters += u'A';
      if (r.information_count > 0) letters += u'T';
      break;
    case kSourceJpeg:
      if (r.interlaced_or_progressive) letters += u'P';
      if (r.comment_count > 0) letters += u'C';
      if (r.information_count > 0) {
        letters += u'E';
        if (in.rotate_by_exif && r.exif_orientation != 1) letters += u'R';
      }
      break;
    case kSourceTiff:
      if (r.comment_count > 0) letters += u'C';
      break;
    case kSourceGif:
      if (r.interlaced_or_progressive) letters += u'I';
      if (r.transparency) letters += u'A';
      if (r.comment_count > 0) letters += u'C';
      break;
  }
  return letters;
}

std::u16string DocumentPart(const TitleInput& in) {
  std::u16string text;
  if (in.name.empty()) {
    text = u"Ovira";
  } else if (!in.archive_name.empty()) {
    text = in.archive_name + u"::" + in.member_path + in.name;
  } else {
    text = in.name;
  }
  if (in.has_image && in.modified) text += u'*';
  return text;
}

}  // namespace

std::u16string BuildTitleText(const TitleInput& in) {
  std::u16string text = DocumentPart(in);
  if (!in.has_image) return text;
  text += u"  ( ";
  std::u16string letters = PropertyLetters(in);
  if (!letters.empty()) text += letters + u"  ";
  text += Number(static_cast<uint32_t>(in.width)) + u"x" + Number(static_cast<uint32_t>(in.height)) +
          u"  " + Number(in.bits_per_pixel) + u"bit  " + KibText(in.file_bytes) + u" )";
  if (in.show_zoom) {
    text += u"  " + Number(static_cast<uint64_t>(std::llround(in.zoom * 100))) + u"%";
  } else if (in.show_preview_size) {
    text += u" .... " + KibText(in.preview_bytes);
  }
  return text;
}
