// The comment chunk of PNG files, read for the editor and replaced in a copy
// of the file: which chunk counts, how its text is prepared, which bytes a
// replacement keeps, and what broken files give.
#include "codecs/png_comment.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "codecs/memory_sink.h"
#include "tests/unit/comment_test_support.h"
#include "tests/unit/png_test_support.h"
#include "tests/unit/test_files.h"

namespace {

Bytes Text(const std::string& keyword_and_text) {
  return Bytes(keyword_and_text.begin(), keyword_and_text.end());
}
Bytes CommentData(const std::string& text) { return Text(std::string("Comment", 8) + text); }

// A 2 x 2 RGB image with `middle` between its header and its image data.
PngFile Start() {
  PngFile f;
  f.Header(2, 2, 8, 2);
  return f;
}
const Bytes kRows = Scanlines({{255, 0, 0, 0, 255, 0}, {0, 0, 255, 255, 255, 255}});

Bytes WithComment(const std::string& text) {
  return Start().Chunk("tEXt", CommentData(text)).ImageData(kRows).End().bytes();
}
Bytes WithoutComment() {
  return Start().Chunk("tEXt", Text(std::string("Title\0x", 7))).ImageData(kRows).End().bytes();
}

std::string Read(const Bytes& png, Status expected = Status::kOk) {
  std::string text = "left over";
  EXPECT_EQ(ReadPngCommentBytes(png.data(), png.size(), &text), expected);
  return text;
}

// Offset of the first chunk of `type` (its length field).
size_t ChunkOffset(const Bytes& png, const char (&type)[5]) {
  for (size_t at = kPngSignatureBytes; at + 8 <= png.size();) {
    if (LoadU32Be(&png[at + 4]) == PngChunkType(type)) return at;
    at += LoadU32Be(&png[at]) + kPngChunkOverhead;
  }
  return png.size();
}

Bytes Slice(const Bytes& b, size_t from, size_t to) {
  return Bytes(b.begin() + from, b.begin() + to);
}

Replaced Replace(const Bytes& png, const std::string& text, int flag) {
  return ReplaceWith(ReplacePngCommentBytes, png, text, flag);
}

// The chunk the writer is to produce for `stored` text, built here by hand.
Bytes ExpectedChunk(const std::string& stored) {
  const Bytes file = PngFile().Chunk("tEXt", CommentData(stored)).bytes();
  return Slice(file, kPngSignatureBytes, file.size());
}

TEST(PngCommentRead, TakesTheTextOfTheCommentChunk) {
  EXPECT_EQ(Read(WithComment("a picture")), "a picture");
  EXPECT_EQ(Read(WithComment("")), "") << "a keyword alone is an empty comment";
  EXPECT_EQ(Read(WithoutComment()), "");
  // Anywhere before IEND, also behind the image data; nothing behind IEND.
  EXPECT_EQ(Read(Start().ImageData(kRows).Chunk("tEXt", CommentData("late")).End().bytes()),
            "late");
  Bytes after_end = Start().ImageData(kRows).End().bytes();
  const Bytes trailing = ExpectedChunk("beyond");
  after_end.insert(after_end.end(), trailing.begin(), trailing.end());
  EXPECT_EQ(Read(after_end), "");
}

TEST(PngCommentRead, PreparesTheTextForAnEditBox) {
  EXPECT_EQ(Read(WithComment("one\ntwo\r\nthree\n")), "one\r\ntwo\r\nthree\r\n");
  EXPECT_EQ(Read(WithComment("\x1b[1mbold\x1b[0m")), "[1mbold[0m") << "escapes dropped";
  EXPECT_EQ(Read(WithComment("a\r\x1b\nb")), "a\r\nb")
      << "the return before a dropped escape counts";
  EXPECT_EQ(Read(WithComment("\n")), "\r\n");
  EXPECT_EQ(Read(WithComment("caf\xe9")), "caf\xe9") << "bytes of the code page pass unchanged";
}

TEST(PngCommentRead, CopiesAtMost4095Characters) {
  EXPECT_EQ(Read(WithComment(std::string(5000, 'a'))), std::string(4095, 'a'));
  EXPECT_EQ(Read(WithComment(std::string(4095, 'b') + "c")), std::string(4095, 'b'));
  EXPECT_EQ(Read(WithComment(std::string(4093, 'd') + "\n")), std::string(4093, 'd') + "\r\n");
  EXPECT_EQ(Read(WithComment(std::string(4094, 'e') + "\nf")), std::string(4094, 'e'))
      << "no half line end";
  EXPECT_EQ(Read(WithComment(std::string(3000, '\x1b') + std::string(4095, 'g'))),
            std::string(4095, 'g'))
      << "dropped escapes take no room";
}

TEST(PngCommentRead, TheFirstValidCommentChunkWins) {
  auto read = [](PngFile f) { return Read(f.ImageData(kRows).End().bytes()); };
  EXPECT_EQ(read(Start().Chunk("tEXt", CommentData("first")).Chunk("tEXt", CommentData("second"))),
            "first");
  EXPECT_EQ(
      read(Start().Chunk("tEXt", CommentData("bad crc"), false).Chunk("tEXt", CommentData("good"))),
      "good");
  EXPECT_EQ(read(Start()
                     .Chunk("tEXt", Text(std::string("Comments\0x", 10)))
                     .Chunk("tEXt", CommentData("exact"))),
            "exact");
  EXPECT_EQ(read(Start()
                     .Chunk("tEXt", Text(std::string("comment\0x", 9)))
                     .Chunk("tEXt", CommentData("cased"))),
            "cased");
  EXPECT_EQ(read(Start().Chunk("tEXt", Text("Comment")).Chunk("tEXt", CommentData("with zero"))),
            "with zero")
      << "the keyword ends with its zero byte";
  EXPECT_EQ(read(Start().Chunk("tEXt", Text("C")).Chunk("tEXt", CommentData("long"))), "long");
  EXPECT_EQ(read(Start()
                     .Chunk("zTXt", CommentData("packed"))
                     .Chunk("iTXt", CommentData("intl"))
                     .Chunk("tEXt", CommentData("plain"))),
            "plain");
}

TEST(PngCommentRead, BrokenChunksAreReadFailures) {
  const Bytes good = WithoutComment();
  EXPECT_EQ(Read(Slice(good, 0, good.size() - 12), Status::kReadFailed), "") << "no IEND";
  EXPECT_EQ(Read(Slice(good, 0, good.size() - 3), Status::kReadFailed), "") << "IEND cut short";
  EXPECT_EQ(Read(Slice(good, 0, 33), Status::kReadFailed), "");
  for (uint32_t length : {0x80000000u, 0xFFFFFFFFu, 0x7FFFFFFFu, 0x7FFFFFF4u}) {
    Bytes broken = good;
    StoreU32Be(length, &broken[33]);
    EXPECT_EQ(Read(broken, Status::kReadFailed), "") << length;
  }
}

TEST(PngCommentRead, RefusesWhatIsNotAPngFile) {
  Bytes signature = WithComment("x");
  signature[1] = 'Q';
  EXPECT_EQ(Read(signature, Status::kCorrupt), "");
  Bytes header = WithComment("x");
  header[15] = 'X';  // IHDR -> IHDX
  EXPECT_EQ(Read(header, Status::kCorrupt), "");
  Bytes length = WithComment("x");
  length[11] = 14;
  EXPECT_EQ(Read(length, Status::kCorrupt), "");
  EXPECT_EQ(Read(Slice(WithComment("x"), 0, 32), Status::kCorrupt), "");
  EXPECT_EQ(Read({}, Status::kCorrupt), "");
}

TEST(PngCommentRead, ReadsFiles) {
  TempDir dir;
  std::string text;
  EXPECT_EQ(ReadPngComment(dir.Write("c.png", WithComment("on disk\n")).c_str(), &text),
            Status::kOk);
  EXPECT_EQ(text, "on disk\r\n");
  EXPECT_EQ(ReadPngComment(dir.File("missing.png").c_str(), &text), Status::kReadFailed);
  EXPECT_EQ(ReadPngComment(dir.Write("empty.png", {}).c_str(), &text), Status::kReadFailed);
  EXPECT_EQ(text, "");
}

TEST(PngCommentReplace, AddsTheFirstCommentRightBeforeTheEnd) {
  const Bytes before = Start().ImageData(kRows).Chunk("tIME", Bytes(7, 1)).End().bytes();
  const Replaced r = Replace(before, "new", 1);
  EXPECT_EQ(r.result, kCommentWritten);
  EXPECT_EQ(r.flag, kCommentAdded);
  const size_t end = ChunkOffset(before, "IEND");
  EXPECT_EQ(r.bytes, Joined({Slice(before, 0, end), ExpectedChunk("new"),
                             Slice(before, end, before.size())}));
  EXPECT_EQ(Read(r.bytes), "new");
}

TEST(PngCommentReplace, ReplacesOnlyTheCommentChunk) {
  // Junk behind IEND is part of the file too and is kept.
  const Bytes before = Joined({Start()
                                   .Chunk("tEXt", Text(std::string("Title\0T", 7)))
                                   .Chunk("tEXt", CommentData("old, long comment"))
                                   .ImageData(kRows)
                                   .Chunk("tEXt", CommentData("second"))
                                   .End()
                                   .bytes(),
                               Bytes{1, 2, 3}});
  const size_t at = ChunkOffset(before, "IDAT") - ExpectedChunk("old, long comment").size();
  const Replaced r = Replace(before, "short", 1);
  EXPECT_EQ(r.result, kCommentWritten);
  EXPECT_EQ(r.flag, kCommentReplaced);
  const size_t old_end = at + ExpectedChunk("old, long comment").size();
  EXPECT_EQ(r.bytes, Joined({Slice(before, 0, at), ExpectedChunk("short"),
                             Slice(before, old_end, before.size())}));
  EXPECT_EQ(Read(r.bytes), "short");
}

TEST(PngCommentReplace, RemovesTheCommentChunk) {
  const Bytes with = WithComment("going");
  const Replaced r = Replace(with, "ignored when removing", 0);
  EXPECT_EQ(r.result, kCommentWritten);
  EXPECT_EQ(r.flag, kCommentNone);
  const Bytes expected = Start().ImageData(kRows).End().bytes();
  EXPECT_EQ(r.bytes, expected);
  EXPECT_EQ(Read(r.bytes), "");
}

TEST(PngCommentReplace, WithNoCommentToRemoveDoesNothing) {
  const Replaced r = Replace(WithoutComment(), "", 0);
  EXPECT_EQ(r.result, kCommentNothingToDo);
  EXPECT_EQ(r.flag, kCommentNone);
  EXPECT_TRUE(r.bytes.empty());
  EXPECT_EQ(r.why, Status::kOk);
}

TEST(PngCommentReplace, StoresLineFeedsAloneAndAtMost4095Bytes) {
  // The new chunk is the one right before IEND.
  auto last_chunk = [](const Bytes& png, size_t size) {
    const size_t end = ChunkOffset(png, "IEND");
    return Slice(png, end - size, end);
  };
  Replaced r = Replace(WithoutComment(), "one\r\ntwo\r\r", 1);
  EXPECT_EQ(last_chunk(r.bytes, ExpectedChunk("one\ntwo").size()), ExpectedChunk("one\ntwo"));
  EXPECT_EQ(Read(r.bytes), "one\r\ntwo");
  const Bytes longest = ExpectedChunk(std::string(4095, 'x'));
  r = Replace(WithoutComment(), std::string(2000, '\r') + std::string(5000, 'x'), 1);
  EXPECT_EQ(last_chunk(r.bytes, longest.size()), longest);
  EXPECT_EQ(r.bytes.size(), WithoutComment().size() + longest.size());
}

TEST(PngCommentReplace, TheNewChunkPassesItsChecksumAndThePixelsStay) {
  const Bytes before = WithComment("old");
  for (const std::string& text : {std::string("checked"), std::string(), std::string(4095, '~')}) {
    const Replaced r = Replace(before, text, 1);
    PngChunk chunk;
    ASSERT_EQ(ChunkAt(&r.bytes[kPngFirstChunkEnd], r.bytes.data() + r.bytes.size(), &chunk),
              Status::kOk);
    EXPECT_EQ(chunk.type, PngChunkType("tEXt"));
    EXPECT_EQ(chunk.length, 8 + text.size());
    EXPECT_TRUE(chunk.CrcMatches());
    DecodedPng old_image, new_image;
    Decode(before, &old_image);
    Decode(r.bytes, &new_image);
    ASSERT_EQ(new_image.status, Status::kOk);
    EXPECT_EQ(0, std::memcmp(old_image.image.pixels, new_image.image.pixels, 16));
    EXPECT_EQ(new_image.results.comment_count, 1);
    EXPECT_EQ(new_image.results.information_count, 1);
  }
}

TEST(PngCommentReplace, AChunkTheReaderSkipsIsNotTheOneReplaced) {
  // A damaged comment counts for nothing, so the new one is added.
  const Bytes before =
      Start().Chunk("tEXt", CommentData("damaged"), false).ImageData(kRows).End().bytes();
  const Replaced r = Replace(before, "fresh", 1);
  EXPECT_EQ(r.flag, kCommentAdded);
  EXPECT_EQ(Slice(r.bytes, 0, ChunkOffset(before, "IEND")),
            Slice(before, 0, ChunkOffset(before, "IEND")));
  EXPECT_EQ(Read(r.bytes), "fresh");
  EXPECT_EQ(Replace(before, "", 0).result, kCommentNothingToDo);
}

TEST(PngCommentReplace, FailsCleanlyOnBrokenFilesAndFullSinks) {
  Bytes not_png = WithComment("x");
  not_png[0] = 0;
  Replaced r = Replace(not_png, "y", 1);
  EXPECT_EQ(r.result, kCommentWriteFailed);
  EXPECT_EQ(r.why, Status::kCorrupt);
  EXPECT_EQ(r.flag, kCommentNone);
  EXPECT_TRUE(r.bytes.empty());
  const Bytes plain = WithoutComment();
  for (size_t cut : {size_t{33}, size_t{40}, plain.size() - 1}) {
    r = Replace(Slice(plain, 0, cut), "y", 1);
    EXPECT_EQ(r.result, kCommentWriteFailed) << cut;
    EXPECT_EQ(r.why, Status::kCannotWrite) << cut;
    EXPECT_TRUE(r.bytes.empty()) << "nothing written before the walk is done";
  }
  Bytes huge = plain;
  StoreU32Be(0x80000000u, &huge[33]);
  EXPECT_EQ(Replace(huge, "y", 1).result, kCommentWriteFailed);
  MemorySink small(40);
  int flag = 1;
  Status why = Status::kOk;
  EXPECT_EQ(ReplacePngCommentBytes(plain.data(), plain.size(), "y", &flag, &small, &why),
            kCommentWriteFailed);
  EXPECT_EQ(why, Status::kCannotWrite);
  EXPECT_EQ(flag, kCommentNone);
}

TEST(PngCommentReplace, WritesFilesOnlyWhenThereIsSomethingToWrite) {
  TempDir dir;
  const std::string source = dir.Write("in.png", WithComment("before"));
  const std::string output = dir.File("out.png");
  int flag = 1;
  EXPECT_EQ(ReplacePngComment(source.c_str(), output.c_str(), "after", &flag), kCommentWritten);
  EXPECT_EQ(flag, kCommentReplaced);
  EXPECT_EQ(Read(ReadWholeFile(output)), "after");
  EXPECT_EQ(Read(ReadWholeFile(source)), "before") << "the source is never touched";

  const std::string bare = dir.Write("bare.png", WithoutComment());
  const std::string none = dir.File("none.png");
  flag = 0;
  EXPECT_EQ(ReplacePngComment(bare.c_str(), none.c_str(), "", &flag), kCommentNothingToDo);
  EXPECT_EQ(flag, kCommentNone);
  EXPECT_FALSE(std::filesystem::exists(none));

  flag = 1;
  Status why = Status::kOk;
  EXPECT_EQ(ReplacePngComment(dir.File("missing.png").c_str(), none.c_str(), "x", &flag, &why),
            kCommentWriteFailed);
  EXPECT_EQ(why, Status::kCannotWrite);
  EXPECT_EQ(flag, kCommentNone);
  flag = 1;
  EXPECT_EQ(ReplacePngComment(source.c_str(), dir.File("no/such/folder.png").c_str(), "x", &flag),
            kCommentWriteFailed);
  EXPECT_EQ(flag, kCommentNone);
}

}  // namespace
