// The COM segment of JPEG files, read for the editor and replaced in a copy
// of the file: which segment counts, how its text is prepared, where a new
// one goes, what broken files give, and what ImageMagick makes of the result.
#include "codecs/jpeg_comment.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "codecs/exif.h"
#include "codecs/jpeg_markers.h"
#include "codecs/memory_sink.h"
#include "tests/unit/comment_test_support.h"
#include "tests/unit/imagemagick_support.h"
#include "tests/unit/jpeg_test_support.h"
#include "tests/unit/test_files.h"

namespace {

const Bytes kApp0 = {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
const Bytes kTable(65, 1);

JpegStream Start() { return JpegStream().Soi().Segment(0xE0, kApp0); }
Bytes WithComment(const std::string& text) {
  return Start().Comment(text).Segment(0xDB, kTable).Sos().Eoi().bytes();
}
Bytes WithoutComment() { return Start().Segment(0xDB, kTable).Sos().Eoi().bytes(); }

std::string Read(const Bytes& jpeg, Status expected = Status::kOk) {
  std::string text = "left over";
  EXPECT_EQ(ReadJpegCommentBytes(jpeg.data(), jpeg.size(), &text), expected);
  return text;
}

Replaced Replace(const Bytes& jpeg, const std::string& text, int flag) {
  return ReplaceWith(ReplaceJpegCommentBytes, jpeg, text, flag);
}

TEST(JpegCommentRead, TakesTheFirstCommentBeforeTheImageData) {
  EXPECT_EQ(Read(WithComment("a picture")), "a picture");
  EXPECT_EQ(Read(Start().Comment("one").Comment("two").Eoi().bytes()), "one");
  EXPECT_EQ(Read(WithoutComment()), "");
  EXPECT_EQ(Read(Start().Sos().Comment("behind").Eoi().bytes()), "")
      << "nothing behind SOS is a segment";
  EXPECT_EQ(Read(Start().Eoi().Comment("behind").bytes()), "");
}

TEST(JpegCommentRead, PreparesTheTextForAnEditBox) {
  EXPECT_EQ(Read(WithComment("a\nb\r\nc\x1b"
                             "d")),
            "a\r\nb\r\ncd");
  const std::string long_text(5000, 'x');
  EXPECT_EQ(Read(WithComment(long_text)).size(), 4094u);
  EXPECT_EQ(Read(WithComment(std::string(4093, 'x') + "\n")), std::string(4093, 'x'))
      << "a line end that does not fit whole is left out";
}

TEST(JpegCommentRead, BrokenSegmentsBeforeTheCommentAreReadFailures) {
  const Bytes broken = Start().Raw({0xFF, 0xDB, 0x00, 0x01}).Comment("x").bytes();
  EXPECT_EQ(Read(broken, Status::kReadFailed), "");
  const Bytes cut = Start().Raw({0xFF, 0xDB, 0x00, 0x40, 1}).bytes();
  EXPECT_EQ(Read(cut, Status::kReadFailed), "");
  EXPECT_EQ(Read(Bytes{'G', 'I', 'F', '8'}, Status::kCorrupt), "");
  EXPECT_EQ(Read(Bytes{}, Status::kCorrupt), "");
}

TEST(JpegCommentReplace, ReplacesTheOldSegmentInPlace) {
  const Bytes before = WithComment("old\ntext");
  const Replaced r = Replace(before, "new\r\nline", 1);
  EXPECT_EQ(r.result, kCommentWritten);
  EXPECT_EQ(r.flag, kCommentReplaced);
  EXPECT_EQ(r.bytes, Start().Comment("new\nline").Segment(0xDB, kTable).Sos().Eoi().bytes());
}

TEST(JpegCommentReplace, AddsANewSegmentBehindTheApplicationSegments) {
  const Bytes exif = ExifBuilder(true).Ifd0({{274, 3, 1, 6}}).Build();
  const Bytes before =
      Start().Segment(0xE1, exif).Segment(0xDB, kTable).Segment(0xE2, {1}).Sos().Eoi().bytes();
  const Replaced r = Replace(before, "added", 1);
  EXPECT_EQ(r.result, kCommentWritten);
  EXPECT_EQ(r.flag, kCommentAdded);
  EXPECT_EQ(r.bytes, Start()
                         .Segment(0xE1, exif)
                         .Comment("added")
                         .Segment(0xDB, kTable)
                         .Segment(0xE2, {1})
                         .Sos()
                         .Eoi()
                         .bytes());
  const Bytes bare = JpegStream().Soi().Segment(0xDB, kTable).Eoi().bytes();
  EXPECT_EQ(Replace(bare, "x", 1).bytes,
            JpegStream().Soi().Comment("x").Segment(0xDB, kTable).Eoi().bytes());
}

TEST(JpegCommentReplace, RemovesOrDoesNothingWithoutNewText) {
  const Replaced removed = Replace(WithComment("gone"), "ignored", 0);
  EXPECT_EQ(removed.result, kCommentWritten);
  EXPECT_EQ(removed.flag, kCommentNone);
  EXPECT_EQ(removed.bytes, WithoutComment());
  const Replaced nothing = Replace(WithoutComment(), "", 0);
  EXPECT_EQ(nothing.result, kCommentNothingToDo);
  EXPECT_EQ(nothing.flag, kCommentNone);
  EXPECT_TRUE(nothing.bytes.empty());
}

TEST(JpegCommentReplace, StoresAtMost4095BytesWithoutCarriageReturns) {
  const Replaced r = Replace(WithoutComment(), std::string(3000, '\r') + std::string(5000, 'y'), 1);
  const Bytes expected =
      Start().Comment(std::string(4095, 'y')).Segment(0xDB, kTable).Sos().Eoi().bytes();
  EXPECT_EQ(r.bytes, expected);
  const size_t length_at = 2 + 4 + kApp0.size() + 2;
  EXPECT_EQ(r.bytes[length_at], 0x10) << "big-endian length 4097";
  EXPECT_EQ(r.bytes[length_at + 1], 0x01);
}

TEST(JpegCommentReplace, BrokenFilesAreNotWritten) {
  const Bytes broken = Start().Raw({0xFF, 0xDB, 0x00, 0x01}).Comment("x").bytes();
  Replaced r = Replace(broken, "y", 1);
  EXPECT_EQ(r.result, kCommentWriteFailed);
  EXPECT_EQ(r.why, Status::kCannotWrite);
  EXPECT_EQ(r.flag, kCommentNone);
  EXPECT_TRUE(r.bytes.empty());
  r = Replace(Bytes{1, 2, 3}, "y", 1);
  EXPECT_EQ(r.result, kCommentWriteFailed);
  EXPECT_EQ(r.why, Status::kCorrupt);
  MemorySink full(10);
  int flag = 1;
  const Bytes good = WithComment("z");
  EXPECT_EQ(ReplaceJpegCommentBytes(good.data(), good.size(), "y", &flag, &full),
            kCommentWriteFailed);
  EXPECT_EQ(flag, kCommentNone);
}

TEST(JpegCommentFiles, ReadsAndReplacesFromFileToFile) {
  TempDir dir;
  const std::string source = dir.Write("a.jpg", WithComment("before"));
  std::string text;
  EXPECT_EQ(ReadJpegComment(source.c_str(), &text), Status::kOk);
  EXPECT_EQ(text, "before");
  const std::string output = dir.File("b.jpg");
  int flag = 1;
  EXPECT_EQ(ReplaceJpegComment(source.c_str(), output.c_str(), "after", &flag), kCommentWritten);
  EXPECT_EQ(flag, kCommentReplaced);
  EXPECT_EQ(ReadWholeFile(output), WithComment("after"));
  const std::string bare = dir.Write("c.jpg", WithoutComment());
  const std::string none = dir.File("none.jpg");
  flag = 0;
  EXPECT_EQ(ReplaceJpegComment(bare.c_str(), none.c_str(), "", &flag), kCommentNothingToDo);
  EXPECT_FALSE(std::filesystem::exists(none)) << "nothing to do makes no file";
  EXPECT_EQ(ReadJpegComment(dir.File("missing.jpg").c_str(), &text), Status::kReadFailed);
}

// ImageMagick's JPEG: its comment is found, and after a replacement it
// shows the new comment over exactly the same pixels.
TEST(JpegCommentInterop, ImageMagickReadsTheReplacedComment) {
  if (!HasImageMagick()) GTEST_SKIP() << "ImageMagick is not installed";
  TempDir dir;
  const std::string source = dir.File("im.jpg");
  ASSERT_TRUE(
      RunTool(kConvert, "-size 17x9 gradient:red-blue -set comment 'made by im' " + source));
  std::string text;
  ASSERT_EQ(ReadJpegComment(source.c_str(), &text), Status::kOk);
  EXPECT_EQ(text, "made by im");
  const std::string output = dir.File("out.jpg");
  int flag = 1;
  ASSERT_EQ(ReplaceJpegComment(source.c_str(), output.c_str(), "line one\r\nline two", &flag),
            kCommentWritten);
  EXPECT_EQ(flag, kCommentReplaced);
  EXPECT_EQ(Identified("%c", output), "line one\nline two");
  EXPECT_TRUE(
      RunTool("/usr/bin/compare", "-metric AE " + source + " " + output + " null: 2>/dev/null"))
      << "the pixels are the same";

  const std::string plain = dir.File("plain.jpg");
  ASSERT_TRUE(RunTool(kConvert, "-size 8x8 xc:green " + plain));
  const std::string added = dir.File("added.jpg");
  flag = 1;
  ASSERT_EQ(ReplaceJpegComment(plain.c_str(), added.c_str(), "new", &flag), kCommentWritten);
  EXPECT_EQ(flag, kCommentAdded);
  EXPECT_EQ(Identified("%c", added), "new");
  EXPECT_TRUE(
      RunTool("/usr/bin/compare", "-metric AE " + plain + " " + added + " null: 2>/dev/null"));
}

// An Exif block put into ImageMagick's JPEG: the walk finds it where
// ImageMagick does, with the same orientation, and ImageMagick reads the
// orientation the patch writes.
TEST(JpegCommentInterop, ExifInAnImageMagickJpegIsFound) {
  if (!HasImageMagick()) GTEST_SKIP() << "ImageMagick is not installed";
  TempDir dir;
  const std::string plain = dir.File("plain.jpg");
  ASSERT_TRUE(RunTool(kConvert, "-size 6x4 xc:blue " + plain));
  const Bytes jpeg = ReadWholeFile(plain);
  ASSERT_GE(jpeg.size(), 2u);
  for (const bool little : {true, false}) {
    Bytes exif = ExifBuilder(little).Ifd0({{274, 3, 1, 6}}).SubIfd({{40962, 4, 1, 6}}).Build();
    Bytes file =
        JpegStream().Soi().Segment(0xE1, exif).Raw(Bytes(jpeg.begin() + 2, jpeg.end())).bytes();
    const std::string path = dir.Write("exif.jpg", file);
    EXPECT_EQ(Identified("%[EXIF:Orientation]", path), "6");
    const JpegMarkerScan scan = ScanJpegMarkers(file.data(), file.size(), nullptr);
    ASSERT_TRUE(scan.exif_found);
    EXPECT_EQ(scan.status, Status::kOk);
    EXPECT_EQ(scan.stop[1], kJpegSos);
    uint8_t* block = file.data() + scan.exif_start;
    EXPECT_EQ(ReadExifOrientation(block, scan.exif_length), 6);
    ASSERT_TRUE(ResetExifOrientation(block, scan.exif_length));
    ASSERT_TRUE(SetExifPixelSize(block, scan.exif_length, 300, 200));
    const std::string patched = dir.Write("patched.jpg", file);
    EXPECT_EQ(Identified("%[EXIF:Orientation]", patched), "1");
    EXPECT_EQ(Identified("%[EXIF:PixelXDimension]", patched), "300");
  }
}

}  // namespace
