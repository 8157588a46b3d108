// The text dialog's keyword and text pairs: chunk by chunk files for the
// rules of the walk, and files ImageMagick and exiftool wrote.
#include "codecs/png_text_info.h"

#include <gtest/gtest.h>

#include <string>

#include "image/utf8_text.h"
#include "tests/unit/imagemagick_support.h"
#include "tests/unit/png_test_support.h"
#include "tests/unit/test_files.h"

namespace {

Bytes TextData(const std::string& keyword, const std::string& text) {
  Bytes data(keyword.begin(), keyword.end());
  data.push_back(0);
  data.insert(data.end(), text.begin(), text.end());
  return data;
}

PngFile Start() { return std::move(PngFile().Header(1, 1, 8, 0)); }

Bytes WithTexts(PngFile file) {
  return file.ImageData(Scanlines({{0, 0x80}})).End().bytes();
}

// "keyword=text" lines, or "(none)" when the read fails.
std::string Listed(const Bytes& png) {
  PngTextList list;
  if (!ReadPngTexts(png.data(), png.size(), &list)) return "(none)";
  std::string out;
  for (const PngTextEntry& e : list.entries)
    out += Utf8FromUtf16(e.keyword) + "=" + Utf8FromUtf16(e.text) + "\n";
  return out;
}

TEST(PngTexts, ListsEveryValidTextChunkInFileOrder) {
  PngFile file = Start();
  file.Chunk("tEXt", TextData("Title", "A picture"));
  file.Chunk("tEXt", TextData("Author", "Someone"), false);  // a wrong CRC
  file.Chunk("tEXt", TextData("", "no keyword"));
  file.Chunk("tEXt", Bytes{'X'});  // too short to hold a text
  file.Chunk("zTXt", TextData("Packed", "ignored"));
  file.Chunk("tEXt", TextData("Software", "Tool\x1b[1m 2"));
  EXPECT_EQ(Listed(WithTexts(std::move(file))), "Title=A picture\nSoftware=Tool[1m 2\n")
      << "escape characters are dropped";
}

TEST(PngTexts, KeepsTheFirstSixteenOfTwenty) {
  PngFile file = Start();
  std::string expected;
  for (int i = 0; i < 20; ++i) {
    file.Chunk("tEXt", TextData("Key" + std::to_string(i), "value"));
    if (i < 16) expected += "Key" + std::to_string(i) + "=value\n";
  }
  EXPECT_EQ(Listed(WithTexts(std::move(file))), expected);
}

TEST(PngTexts, CutsKeywordsAndTextsAtTheirLimits) {
  const std::string keyword(90, 'k'), text(1500, 't');
  PngFile file = Start();
  file.Chunk("tEXt", TextData(keyword, text));
  PngTextList list;
  const Bytes png = WithTexts(std::move(file));
  ASSERT_TRUE(ReadPngTexts(png.data(), png.size(), &list));
  ASSERT_EQ(list.entries.size(), 1u);
  EXPECT_EQ(list.entries[0].keyword, std::u16string(79, u'k'));
  EXPECT_EQ(list.entries[0].text, std::u16string(1023, u't'));
}

TEST(PngTexts, TextsAreInTheAnsiCodePage) {
  PngFile file = Start();
  file.Chunk("tEXt", TextData("Caf\xE9", "na\xEFve"));
  EXPECT_EQ(Listed(WithTexts(std::move(file))), "Caf\xC3\xA9=na\xC3\xAFve\n");
}

TEST(PngTexts, FailsWithoutAValidTextBeforeTheEnd) {
  EXPECT_EQ(Listed(WithTexts(Start())), "(none)");
  PngFile late = Start();
  late.ImageData(Scanlines({{0, 0x80}})).End().Chunk("tEXt", TextData("After", "end"));
  EXPECT_EQ(Listed(late.bytes()), "(none)") << "nothing after IEND counts";
  PngFile bad = Start();
  bad.Chunk("tEXt", TextData("Title", "bad"), false);
  EXPECT_EQ(Listed(WithTexts(std::move(bad))), "(none)");
  EXPECT_EQ(Listed(Bytes{1, 2, 3}), "(none)");
}

TEST(PngTexts, ABrokenChunkEndsTheWalkWithWhatCameBefore) {
  PngFile file = Start();
  file.Chunk("tEXt", TextData("Title", "kept"));
  file.Append(BigEndian32(0x80000000));  // a length with its top bit set
  file.Append({'t', 'E', 'X', 't'});
  EXPECT_EQ(Listed(file.bytes()), "Title=kept\n");
  PngFile cut = Start();
  cut.Chunk("tEXt", TextData("Title", "kept"));
  cut.Chunk("tEXt", TextData("Lost", "cut off"));
  Bytes bytes = cut.bytes();
  bytes.resize(bytes.size() - 3);
  EXPECT_EQ(Listed(bytes), "Title=kept\n");
}

TEST(PngTextsInterop, ListsWhatImageMagickAndExiftoolWrote) {
  constexpr const char* kExiftool = "/usr/bin/exiftool";
  if (!HasImageMagick() || !HasTool(kExiftool)) GTEST_SKIP() << "needs ImageMagick and exiftool";
  TempDir dir;
  const std::string file = dir.File("texts.png");
  ASSERT_TRUE(RunTool(kConvert, "-size 4x4 xc:red -set Title 'Hello world' -set Author 'A. Person' "
                                "+set date:create +set date:modify " + file));
  EXPECT_EQ(Listed(ReadWholeFile(file)), "Author=A. Person\nTitle=Hello world\n");
  ASSERT_TRUE(RunTool(kExiftool, "-q -q -overwrite_original -PNG:Copyright=Mine " + file));
  const std::string listed = Listed(ReadWholeFile(file));
  EXPECT_NE(listed.find("Copyright=" + Identified("%[Copyright]", file) + "\n"), std::string::npos) << listed;
  EXPECT_NE(listed.find("Copyright=Mine\n"), std::string::npos) << listed;
  EXPECT_NE(listed.find("Title=" + Identified("%[Title]", file) + "\n"), std::string::npos) << listed;
}

}  // namespace
