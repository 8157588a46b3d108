// ovirac exif and ovirac texts: what the viewer's Exif and text dialogs
// show for a file, one "label: value" line a row.
#include <cstdio>

#include "codecs/exif_info.h"
#include "codecs/png_text_info.h"
#include "image/utf8_text.h"
#include "lang/exif_strings_en.h"
#include "tools/ovirac/cli_text.h"
#include "tools/ovirac/commands.h"
#include "tools/ovirac/input_bytes.h"

namespace {

// The one file argument of `command`, or nullptr after saying why not.
const PathChar* OnlyFile(const char* command, int argc, PathChar** argv) {
  if (argc == 1 && argv[0][0] != '-') return argv[0];
  std::fprintf(stderr, "ovirac: %s takes exactly one file\n", command);
  return nullptr;
}

void PrintRow(const std::u16string& label, const std::u16string& value) {
  std::printf("%s: %s\n", Utf8FromUtf16(label).c_str(), Utf8FromUtf16(value).c_str());
}

}  // namespace

int RunExif(int argc, PathChar** argv) {
  const PathChar* path = OnlyFile("exif", argc, argv);
  if (!path) return kExitUsage;
  InputBytes input;
  if (!input.Open(path)) return kExitFailed;
  ExifInfo info;
  if (!ReadExifInfo(input.data(), input.size(), EnglishExifText, &info)) {
    std::fprintf(stderr, "ovirac: '%s' holds no Exif data\n", PathToUtf8(path).c_str());
    return kExitFailed;
  }
  for (int item = 0; item < kExifItemCount; ++item)
    if (info.items[item].present) PrintRow(EnglishExifText(kExifItemLabelBase + item), info.items[item].value);
  return kExitOk;
}

int RunTexts(int argc, PathChar** argv) {
  const PathChar* path = OnlyFile("texts", argc, argv);
  if (!path) return kExitUsage;
  InputBytes input;
  if (!input.Open(path)) return kExitFailed;
  PngTextList list;
  if (!ReadPngTexts(input.data(), input.size(), &list)) {
    std::fprintf(stderr, "ovirac: '%s' holds no PNG text chunks\n", PathToUtf8(path).c_str());
    return kExitFailed;
  }
  for (const PngTextEntry& entry : list.entries) PrintRow(entry.keyword, entry.text);
  return kExitOk;
}
