// ZIP archives made by other programs: Python's zipfile and Debian's zip
// write stored and deflated members, nested folders, UTF-8 names, archive
// comments, data descriptors and bzip2 members; our listing and extraction
// must say what zipfile says about the same file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codecs/zip_directory.h"
#include "codecs/zip_member.h"
#include "image/utf8_text.h"
#include "tests/unit/zip_test_support.h"

namespace {

struct Maker {
  const char* label;
  bool uses_zip;  // Debian's zip rather than Python alone
  std::string script;  // shell commands run in the folder; they leave test.zip
};

// Files on disk for zip to pack: nested folders, text that deflates, noise
// that does not, and an empty file.
const char* kTree =
    "mkdir -p tree/photos/2024/summer tree/empty && "
    "printf 'hello hello hello hello hello\\n%.0s' $(seq 200) > tree/photos/2024/summer/a.txt && "
    "head -c 3000 /dev/urandom > tree/photos/noise.bin && : > tree/photos/zero.txt && "
    "touch -d '2021-03-04 05:06:08' tree/photos/noise.bin && cd tree && ";

void PrintTo(const Maker& maker, std::ostream* out) { *out << maker.label; }

std::string PythonMaker(const std::string& body) {
  return "python3 - <<'PY'\nimport zipfile, io\n" + body + "\nPY\n";
}

const Maker kMakers[] = {
    {"zip_deflated_tree", true, std::string(kTree) + "zip -q -r ../test.zip ."},
    {"zip_stored_tree", true, std::string(kTree) + "zip -q -0 -r ../test.zip photos"},
    // Written to a pipe, zip cannot go back to fill in the sizes.
    {"zip_streamed_descriptors", true, std::string(kTree) + "zip -q -r - photos | cat > ../test.zip"},
    {"zip_stdin_member", true, "printf 'from standard input\\n' | zip -q -fz- - - | cat > test.zip"},
    {"zip_comment", true,
     std::string(kTree) + "zip -q -r ../test.zip photos && "
                          "printf '%0100d' 0 | zip -q -z ../test.zip"},
    {"python_mixed", false, PythonMaker(
         "z = zipfile.ZipFile('test.zip', 'w')\n"
         "z.writestr(zipfile.ZipInfo('top.png', (1999, 12, 31, 23, 59, 58)), b'\\x89PNG' * 50)\n"
         "i = zipfile.ZipInfo('deep/er/still/b.jpg', (2010, 6, 15, 12, 30, 0))\n"
         "i.compress_type = zipfile.ZIP_DEFLATED\n"
         "z.writestr(i, bytes(range(256)) * 40)\n"
         "i = zipfile.ZipInfo('empty-deflated.gif', (1980, 1, 1, 0, 0, 0))\n"
         "i.compress_type = zipfile.ZIP_DEFLATED\n"
         "z.writestr(i, b'')\n"
         "z.writestr('folder/', b'')\n"
         "z.comment = b'c' * 100\n"
         "z.close()")},
    {"python_utf8_names", false, PythonMaker(
         "z = zipfile.ZipFile('test.zip', 'w', zipfile.ZIP_DEFLATED)\n"
         "for n in ['Fotos/Über/Straße.jpg', '写真/猫.png', 'emoji/\\U0001F600.bmp']:\n"
         "  z.writestr(n, n.encode() * 30)\n"
         "z.close()")},
    // An unseekable output makes zipfile write data descriptors too.
    {"python_streamed", false, PythonMaker(
         "class Pipe(io.RawIOBase):\n"
         "  def __init__(self): self.data = bytearray()\n"
         "  def writable(self): return True\n"
         "  def write(self, b): self.data += b; return len(b)\n"
         "p = Pipe()\n"
         "z = zipfile.ZipFile(p, 'w', zipfile.ZIP_DEFLATED)\n"
         "for k in range(3): z.writestr('s/%d.tif' % k, b'stream %d ' % k * 500)\n"
         "z.close()\n"
         "open('test.zip', 'wb').write(p.data)")},
    // The end record lies more than 65557 bytes behind the start, and the
    // comment hides it from the plain look at the last 22 bytes.
    {"python_large_with_comment", false, PythonMaker(
         "import random\n"
         "random.seed(5)\n"
         "z = zipfile.ZipFile('test.zip', 'w')\n"
         "z.writestr('big.bin', bytes(random.getrandbits(8) for _ in range(70000)))\n"
         "z.writestr('small.txt', b'small')\n"
         "z.comment = b'PK' * 50\n"
         "z.close()")},
    {"zip_bzip2_beside_deflate", true,
     std::string(kTree) + "zip -q -Z bzip2 ../test.zip photos/2024/summer/a.txt && "
                          "zip -q ../test.zip photos/noise.bin"},
};

std::string MemberPath(const FileListEntry& member) {
  const std::string folder = Utf8FromUtf16(member.folder), name = Utf8FromUtf16(member.name);
  // A folder entry is all folder, ending in its backslash.
  return folder.empty() || name.empty() ? folder + name : folder + "\\" + name;
}

std::string BackslashPath(std::string name) {
  for (char& c : name) c = c == '/' ? '\\' : c;
  return name;
}

class ZipInterop : public testing::TestWithParam<Maker> {};

TEST_P(ZipInterop, ListsAndExtractsAsZipfileDoes) {
  const Maker& maker = GetParam();
  if (!HasPython() || (maker.uses_zip && !HasTool(kZip))) GTEST_SKIP() << "zip or python3 missing";
  UtcZone utc;
  TempDir dir;
  const std::string make = "cd " + dir.path() + " && " + maker.script;
  ASSERT_EQ(std::system(make.c_str()), 0) << make;
  const std::vector<uint8_t> zip = ReadWholeFile(dir.File("test.zip"));
  const std::vector<ToolMember> tool = ToolListing(dir, "test.zip");
  ASSERT_FALSE(tool.empty());

  ZipListing listing;
  ASSERT_EQ(ListZip(zip, &listing), ZipStatus::kOk);
  size_t listed = 0;
  uint32_t skipped = 0;
  for (const ToolMember& expected : tool) {
    if (expected.method != 0 && expected.method != 8) {
      ++skipped;
      continue;
    }
    ASSERT_LT(listed, listing.members.size());
    const FileListEntry& member = listing.members[listed++];
    SCOPED_TRACE(expected.name);
    EXPECT_EQ(MemberPath(member), BackslashPath(expected.name));
    EXPECT_EQ(member.key, expected.offset);
    EXPECT_EQ(member.size, expected.size);
    const int* d = expected.date_time;
    EXPECT_EQ(Ticks(member.last_write), FileTicks(d[0], d[1], d[2], d[3], d[4], d[5]));
    ZipExtracted out;
    ASSERT_EQ(ExtractZip(zip, member.key, &out), ZipStatus::kOk);
    ASSERT_EQ(out.size, expected.contents.size());
    EXPECT_TRUE(std::equal(expected.contents.begin(), expected.contents.end(), out.block.data()));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(out.block.data()[out.size + i], 0);
  }
  EXPECT_EQ(listed, listing.members.size());
  EXPECT_EQ(listing.skipped, skipped);
}

INSTANTIATE_TEST_SUITE_P(Makers, ZipInterop, testing::ValuesIn(kMakers),
                         [](const auto& made) { return std::string(made.param.label); });

TEST(ZipInteropEdges, DataDescriptorsAreWhatTheMakersWrote) {
  if (!HasPython() || !HasTool(kZip)) GTEST_SKIP() << "zip or python3 missing";
  TempDir dir;
  const std::string make = "cd " + dir.path() + " && printf 'x%.0s' $(seq 500) > f && zip -q - f | cat > test.zip";
  ASSERT_EQ(std::system(make.c_str()), 0);
  const std::vector<ToolMember> tool = ToolListing(dir, "test.zip");
  ASSERT_EQ(tool.size(), 1u);
  // Otherwise the descriptor case above would go untested.
  EXPECT_TRUE(tool[0].flags & kZipFlagDataDescriptor);
}

TEST(ZipInteropEdges, ArchiveOfOnlyBzip2MembersIsNotAnArchive) {
  if (!HasTool(kZip)) GTEST_SKIP() << "zip missing";
  TempDir dir;
  const std::string make = "cd " + dir.path() + " && printf 'bzip%.0s' $(seq 300) > a.bmp && "
                           "cp a.bmp b.png && zip -q -Z bzip2 test.zip a.bmp b.png";
  ASSERT_EQ(std::system(make.c_str()), 0);
  const std::vector<uint8_t> zip = ReadWholeFile(dir.File("test.zip"));
  ZipListing listing;
  EXPECT_EQ(ListZip(zip, &listing), ZipStatus::kNotAnArchive);
  EXPECT_TRUE(listing.members.empty());
  // The members are there, just of a method we do not read.
  const std::vector<size_t> locals = HeadersOf(zip, kLocalHeader);
  ASSERT_EQ(locals.size(), 2u);
  EXPECT_EQ(LoadU16(&zip[locals[0] + 8]), 12);
  ZipExtracted out;
  EXPECT_EQ(ExtractZip(zip, uint32_t(locals[0]), &out), ZipStatus::kUnsupportedMethod);
}

TEST(ZipInteropEdges, CorruptedDataFailsTheCrcCheck) {
  if (!HasPython()) GTEST_SKIP() << "python3 missing";
  TempDir dir;
  ASSERT_TRUE(RunPython(dir,
                        "import zipfile\n"
                        "z = zipfile.ZipFile('test.zip', 'w')\n"
                        "z.writestr('stored.bmp', b'BM' + bytes(range(200)))\n"
                        "z.writestr('packed.png', b'packed ' * 300, zipfile.ZIP_DEFLATED)\n"
                        "z.close()\n"));
  std::vector<uint8_t> zip = ReadWholeFile(dir.File("test.zip"));
  ZipListing listing;
  ASSERT_EQ(ListZip(zip, &listing), ZipStatus::kOk);
  ASSERT_EQ(listing.members.size(), 2u);
  const uint32_t stored = listing.members[0].key, packed = listing.members[1].key;
  // One data byte of the stored member, and the CRC field of the deflated one.
  zip[stored + 30 + 10 + 50] ^= 0x01;
  zip[packed + 14] ^= 0x80;
  ZipExtracted out;
  EXPECT_EQ(ExtractZip(zip, stored, &out), ZipStatus::kBadCrc);
  EXPECT_FALSE(out.block);
  EXPECT_EQ(ExtractZip(zip, packed, &out), ZipStatus::kBadCrc);
  EXPECT_FALSE(out.block);
}

// zipfile writes names it cannot write in ASCII as UTF-8, so the ANSI name
// is put in by hand: "café" in Windows-1252, in both headers.
TEST(ZipInteropEdges, NameWithoutUtf8FlagIsReadInTheAnsiCodePage) {
  if (!HasPython()) GTEST_SKIP() << "python3 missing";
  TempDir dir;
  ASSERT_TRUE(RunPython(dir,
                        "import zipfile\n"
                        "z = zipfile.ZipFile('test.zip', 'w')\n"
                        "z.writestr('menu/cafXY.jpg', b'jpeg')\n"
                        "z.close()\n"
                        "d = open('test.zip', 'rb').read().replace(b'cafXY', b'caf\\xe9\\x80')\n"
                        "open('test.zip', 'wb').write(d)\n"));
  const std::vector<uint8_t> zip = ReadWholeFile(dir.File("test.zip"));
  ZipListing listing;
  ASSERT_EQ(ListZip(zip, &listing), ZipStatus::kOk);
  ASSERT_EQ(listing.members.size(), 1u);
  EXPECT_EQ(listing.members[0].folder, u"menu");
  EXPECT_EQ(listing.members[0].name, u"caf\u00E9\u20AC.jpg");
}

}  // namespace
