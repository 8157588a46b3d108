#include "image/format_detect.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "tests/unit/test_files.h"

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<uint8_t> out;
  for (int v : values) out.push_back(static_cast<uint8_t>(v));
  out.resize(kSignatureBytes, 0);
  return out;
}

struct SignatureCase {
  std::vector<uint8_t> head;
  FormatCode expected;
};

TEST(FormatDetect, SignatureTableInOrder) {
  const SignatureCase cases[] = {
      {Bytes({'G', 'I', 'F', '8', '9', 'a'}), kFormatGif},
      {Bytes({'G', 'I', 'F'}), kFormatGif},  // version digits are the GIF reader's concern
      {Bytes({'G', 'I', 'X'}), kFormatUnknown},
      {Bytes({'I', 'I', 0x2A, 0x00}), kFormatTiff},
      {Bytes({'I', 'I', 0x2A, 0x77, 1, 2, 3, 4}), kFormatTiff},
      {Bytes({'I', 'I', 0x2B, 0x00}), kFormatUnknown},
      {Bytes({'B', 'M'}), kFormatBmp},
      {Bytes({'B', 'M', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), kFormatBmp},
      {Bytes({'M', 'M', 0x00, 0x2A}), kFormatTiff},
      {Bytes({'M', 'M', 0x2A, 0x00}), kFormatUnknown},
      {Bytes({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}), kFormatPng},
      {Bytes({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x00}), kFormatUnknown},
      {Bytes({0x89, 'P', 'N', 'G', 0x0A, 0x0A, 0x1A, 0x0A}), kFormatUnknown},
      {Bytes({0x89, 'P', 'N', 'G', 0x0D, 0x0D, 0x1A, 0x0A}), kFormatUnknown},
      {Bytes({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1B, 0x0A}), kFormatUnknown},
      {Bytes({0xFF, 0xD8}), kFormatJpeg},
      {Bytes({0xFF, 0xD8, 0x00, 0x00}), kFormatJpeg},
      {Bytes({0xFF, 0xD9}), kFormatUnknown},
      {Bytes({'P', '6'}), kFormatUnknown},
      {Bytes({}), kFormatUnknown},
  };
  for (const SignatureCase& c : cases) {
    EXPECT_EQ(DetectFormat(c.head.data()), c.expected)
        << "first bytes " << int(c.head[0]) << " " << int(c.head[1]) << " " << int(c.head[2])
        << " " << int(c.head[3]);
  }
}

TEST(FormatDetect, ShortArchiveMemberCannotBeOpened) {
  const uint8_t bmp[8] = {'B', 'M', 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(DetectMemberFormat(bmp, 7), kFormatCannotOpen);
  EXPECT_EQ(DetectMemberFormat(bmp, 0), kFormatCannotOpen);
  EXPECT_EQ(DetectMemberFormat(bmp, 8), kFormatBmp);
}

TEST(FormatDetect, ShortFilesAreUnknownNotUnopenable) {
  TempDir dir;
  EXPECT_EQ(DetectFileFormat(dir.Write("empty.bmp", {}).c_str()), kFormatUnknown);
  EXPECT_EQ(DetectFileFormat(dir.Write("three.bmp", {'B', 'M', 0}).c_str()), kFormatUnknown);
  EXPECT_EQ(DetectFileFormat(dir.Write("seven.jpg", {0xFF, 0xD8, 0, 0, 0, 0, 0}).c_str()),
            kFormatUnknown);
  EXPECT_EQ(DetectFileFormat(dir.Write("eight.jpg", {0xFF, 0xD8, 0, 0, 0, 0, 0, 0}).c_str()),
            kFormatJpeg);
}

TEST(FormatDetect, ExtensionPlaysNoPart) {
  TempDir dir;
  EXPECT_EQ(DetectFileFormat(dir.Write("photo.png", Bytes({'B', 'M'})).c_str()), kFormatBmp);
}

TEST(FormatDetect, UnopenablePathsAnswerCannotOpen) {
  TempDir dir;
  EXPECT_EQ(DetectFileFormat(dir.File("missing.bmp").c_str()), kFormatCannotOpen);
  EXPECT_EQ(DetectFileFormat(dir.path().c_str()), kFormatCannotOpen);  // a folder
  std::string locked = dir.Write("locked.bmp", Bytes({'B', 'M'}));
  chmod(locked.c_str(), 0);
  if (geteuid() != 0) {  // root reads anything
    EXPECT_EQ(DetectFileFormat(locked.c_str()), kFormatCannotOpen);
  }
}

}  // namespace
