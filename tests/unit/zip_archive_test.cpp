// The ZIP reader on archives made byte by byte: where the end record may
// hide, how names and times come out, and every way a hostile header can
// try to make the reader look outside the file or take unbounded memory.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codecs/zip_archive.h"
#include "codecs/zip_directory.h"
#include "codecs/zip_member.h"
#include "image/page_memory_posix.h"
#include "tests/unit/test_files.h"
#include "tests/unit/zip_maker.h"
#include "tests/unit/zip_test_support.h"

namespace {

MadeMember Stored(const std::string& name, const std::string& text) { return {name, TextBytes(text)}; }

MadeMember Deflated(const std::string& name, const std::string& text) {
  MadeMember m{name, TextBytes(text)};
  m.method = 8;
  return m;
}

std::string Extracted(const std::vector<uint8_t>& zip, uint32_t key, ZipStatus* status) {
  ZipExtracted out;
  *status = ExtractZip(zip, key, &out);
  return out.block ? std::string(reinterpret_cast<const char*>(out.block.data()), out.size) : std::string();
}

TEST(ZipEndRecord, FoundAtTheEndBehindACommentAndAtTheLongestCommentsReach) {
  for (size_t comment : {size_t{0}, size_t{100}, size_t{0xFFFF}}) {
    SCOPED_TRACE(comment);
    const MadeZip zip = MakeZip({Stored("a.png", "png")}, std::string(comment, 'c'));
    ASSERT_EQ(zip.bytes.size() < 65557, comment < 0xFFFF);
    const std::optional<ZipEndRecord> end = FindZipEndRecord(zip.bytes);
    ASSERT_TRUE(end);
    EXPECT_EQ(end->entry_count, 1);
    EXPECT_EQ(end->directory_offset, zip.central_offsets[0]);
  }
}

TEST(ZipEndRecord, NotFoundBeyondTheLongestCommentOrInTooFewBytes) {
  MadeZip zip = MakeZip({Stored("a.png", "png")}, std::string(0xFFFF, 'c'));
  zip.bytes.push_back('x');  // the record now starts 65558 bytes before the end
  EXPECT_FALSE(FindZipEndRecord(zip.bytes));
  const std::vector<uint8_t> tiny = {'P', 'K', 5, 6, 0, 0};
  EXPECT_FALSE(FindZipEndRecord(tiny));
  EXPECT_FALSE(FindZipEndRecord({}));
  ZipListing listing;
  EXPECT_EQ(ListZip(tiny, &listing), ZipStatus::kNotAnArchive);
}

TEST(ZipListing, SplitsNamesIntoFolderAndNameWithBackslashes) {
  const MadeZip zip = MakeZip({Stored("top.jpg", "1"), Stored("a/b/c.png", "2"), Stored("dir/sub/", ""),
                               Stored("win\\style\\d.gif", "3")});
  ZipListing listing;
  ASSERT_EQ(ListZip(zip.bytes, &listing), ZipStatus::kOk);
  ASSERT_EQ(listing.members.size(), 4u);
  const std::vector<std::pair<std::u16string, std::u16string>> expected = {
      {u"", u"top.jpg"}, {u"a\\b", u"c.png"}, {u"dir\\sub\\", u""}, {u"win\\style", u"d.gif"}};
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(listing.members[i].folder, expected[i].first) << i;
    EXPECT_EQ(listing.members[i].name, expected[i].second) << i;
    EXPECT_EQ(listing.members[i].key, zip.local_offsets[i]) << i;
  }
}

TEST(ZipListing, NamesAreUtf8OnlyWithTheirFlagAndCutAt259Bytes) {
  MadeMember utf8 = Stored("\xC3\xBC\xF0\x9F\x98\x80\xFF.jpg", "u");
  utf8.flags = kZipFlagUtf8;
  const MadeMember ansi = Stored("\xC3\xBC.jpg", "a");
  const MadeMember longest = Stored(std::string(300, 'n'), "l");
  const MadeZip zip = MakeZip({utf8, ansi, longest});
  ZipListing listing;
  ASSERT_EQ(ListZip(zip.bytes, &listing), ZipStatus::kOk);
  EXPECT_EQ(listing.members[0].name, u"\u00FC\U0001F600\uFFFD.jpg");
  EXPECT_EQ(listing.members[1].name, u"\u00C3\u00BC.jpg");
  EXPECT_EQ(listing.members[2].name, std::u16string(259, u'n'));
  // The cut name does not move the walk off the next header.
  ZipStatus status;
  EXPECT_EQ(Extracted(zip.bytes, listing.members[2].key, &status), "l");
}

TEST(ZipListing, DosTimesAreLocalTimeTurnedIntoUtc) {
  MadeMember leap = Stored("a.jpg", "");
  leap.dos_date = uint16_t((2024 - 1980) << 9 | 2 << 5 | 29);
  leap.dos_time = uint16_t(13 << 11 | 45 << 5 | 29);  // 13:45:58
  MadeMember bad = leap;
  bad.dos_date = uint16_t((2024 - 1980) << 9 | 13 << 5 | 1);  // month 13
  const MadeZip zip = MakeZip({leap, bad});
  ZipListing listing;
  {
    UtcZone utc;
    ASSERT_EQ(ListZip(zip.bytes, &listing), ZipStatus::kOk);
    EXPECT_EQ(Ticks(listing.members[0].last_write), FileTicks(2024, 2, 29, 13, 45, 58));
    EXPECT_EQ(Ticks(listing.members[1].last_write), 0u);
  }
  UtcZone new_york("EST5");
  ASSERT_EQ(ListZip(zip.bytes, &listing), ZipStatus::kOk);
  EXPECT_EQ(Ticks(listing.members[0].last_write), FileTicks(2024, 2, 29, 18, 45, 58));
}

TEST(ZipListing, OtherMethodsAreSkippedAndCountedAndAloneAreNoArchive) {
  MadeMember bzip2 = Stored("b.png", "bz");
  bzip2.method = 12;
  MadeMember lzma = bzip2;
  lzma.method = 14;
  ZipListing listing;
  ASSERT_EQ(ListZip(MakeZip({bzip2, Stored("s.png", "s"), lzma}).bytes, &listing), ZipStatus::kOk);
  ASSERT_EQ(listing.members.size(), 1u);
  EXPECT_EQ(listing.members[0].name, u"s.png");
  EXPECT_EQ(listing.skipped, 2u);
  EXPECT_EQ(ListZip(MakeZip({bzip2, lzma}).bytes, &listing), ZipStatus::kNotAnArchive);
  EXPECT_TRUE(listing.members.empty());
  EXPECT_EQ(ListZip(MakeZip({}).bytes, &listing), ZipStatus::kNotAnArchive);
}

TEST(ZipListing, ABrokenDirectoryIsNoArchive) {
  const MadeZip good = MakeZip({Stored("a.png", "1"), Stored("b.png", "2")});
  const auto listed = [](std::vector<uint8_t> bytes) {
    ZipListing listing;
    return ListZip(bytes, &listing);
  };
  std::vector<uint8_t> bytes = good.bytes;
  StoreU32(uint32_t(bytes.size()), &bytes[good.end_record + 16]);  // directory past the end
  EXPECT_EQ(listed(bytes), ZipStatus::kNotAnArchive);
  bytes = good.bytes;
  StoreU32(0xFFFFFFF0u, &bytes[good.end_record + 16]);
  EXPECT_EQ(listed(bytes), ZipStatus::kNotAnArchive);
  bytes = good.bytes;
  StoreU16(3, &bytes[good.end_record + 8]);  // one entry more than there is
  EXPECT_EQ(listed(bytes), ZipStatus::kNotAnArchive);
  bytes = good.bytes;
  StoreU16(0xFFFF, &bytes[good.central_offsets[1] + 28]);  // name past the end
  EXPECT_EQ(listed(bytes), ZipStatus::kNotAnArchive);
  bytes = good.bytes;
  bytes[good.central_offsets[1]] = 'Q';
  EXPECT_EQ(listed(bytes), ZipStatus::kNotAnArchive);
  bytes = good.bytes;
  StoreU16(1, &bytes[good.end_record + 8]);  // fewer entries: only those are walked
  ZipListing listing;
  ASSERT_EQ(ListZip(bytes, &listing), ZipStatus::kOk);
  EXPECT_EQ(listing.members.size(), 1u);
}

TEST(ZipExtraction, StoredDeflatedEmptyAndDescriptorMembers) {
  MadeMember described = Deflated("d.png", std::string(5000, 'd'));
  described.flags = kZipFlagDataDescriptor;
  MadeMember described_stored = Stored("ds.png", "stored behind a descriptor");
  described_stored.flags = kZipFlagDataDescriptor;
  const MadeZip zip = MakeZip({Stored("s.png", "stored"), Deflated("z.png", "zzzzzzzzzzzzzzzzzz"),
                               Deflated("e.png", ""), Stored("0.png", ""), described, described_stored});
  const std::vector<std::string> expected = {"stored", "zzzzzzzzzzzzzzzzzz", "", "", std::string(5000, 'd'),
                                             "stored behind a descriptor"};
  for (size_t i = 0; i < expected.size(); ++i) {
    ZipStatus status;
    EXPECT_EQ(Extracted(zip.bytes, zip.local_offsets[i], &status), expected[i]) << i;
    EXPECT_EQ(status, ZipStatus::kOk) << i;
  }
}

TEST(ZipExtraction, KeysThatNameNoLocalHeaderFail) {
  const MadeZip zip = MakeZip({Stored("a.png", "aaaa")});
  ZipStatus status;
  for (uint32_t key : {zip.local_offsets[0] + 1, zip.central_offsets[0], uint32_t(zip.bytes.size()),
                       uint32_t(zip.bytes.size() - 10), 0xFFFFFFFFu}) {
    Extracted(zip.bytes, key, &status);
    EXPECT_EQ(status, ZipStatus::kNoMember) << key;
  }
  // A descriptor member whose offset no directory entry names.
  MadeMember described = Stored("d.png", "ddd");
  described.flags = kZipFlagDataDescriptor;
  MadeZip orphan = MakeZip({described});
  StoreU32(7, &orphan.bytes[orphan.central_offsets[0] + 42]);
  Extracted(orphan.bytes, 0, &status);
  EXPECT_EQ(status, ZipStatus::kNoMember);
}

// Sizes are refused before any page memory is asked for.
TEST(ZipExtraction, HostileSizesFailWithoutTakingMemory) {
  const MadeZip zip = MakeZip({Stored("s.png", "stored"), Deflated("z.png", std::string(100, 'z'))});
  const uint32_t stored = zip.local_offsets[0], deflated = zip.local_offsets[1];
  struct Case {
    uint32_t key;
    size_t field;  // offset inside the local header
    uint32_t value;
    ZipStatus expected;
  };
  const Case cases[] = {
      {stored, 22, 7000, ZipStatus::kTruncated},              // more bytes than the file holds
      {stored, 22, 0xFFFFFFFFu, ZipStatus::kTooLarge},
      {stored, 26, 0xFFFF, ZipStatus::kTruncated},            // name runs past the end
      {deflated, 18, 100000, ZipStatus::kTruncated},          // compressed size past the end
      {deflated, 22, 0x3FFFFFFFu, ZipStatus::kTooLarge},      // more than the data can inflate to
      {deflated, 22, kZipMemberLimit + 1, ZipStatus::kTooLarge},
      {deflated, 8, 9, ZipStatus::kUnsupportedMethod},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = zip.bytes;
    if (c.field == 26 || c.field == 8) {
      StoreU16(uint16_t(c.value), &bytes[c.key + c.field]);
    } else {
      StoreU32(c.value, &bytes[c.key + c.field]);
    }
    const uint64_t before = PageBytesRequested();
    ZipStatus status;
    Extracted(bytes, c.key, &status);
    EXPECT_EQ(status, c.expected) << c.field << " " << c.value;
    EXPECT_EQ(PageBytesRequested(), before) << c.field << " " << c.value;
  }
}

TEST(ZipExtraction, BrokenOrMisdeclaredDeflateDataFails) {
  const MadeZip zip = MakeZip({Deflated("z.png", std::string(1000, 'z') + "tail")});
  const uint32_t key = zip.local_offsets[0];
  const size_t data = key + 30 + 5;
  ZipStatus status;
  std::vector<uint8_t> bytes = zip.bytes;
  bytes[data] = 0xFF;  // block type 3 does not exist
  Extracted(bytes, key, &status);
  EXPECT_EQ(status, ZipStatus::kInflateFailed);
  for (uint32_t size : {1003u, 1005u}) {  // the stream gives 1004 bytes
    bytes = zip.bytes;
    StoreU32(size, &bytes[key + 22]);
    Extracted(bytes, key, &status);
    EXPECT_EQ(status, ZipStatus::kInflateFailed) << size;
  }
  bytes = zip.bytes;
  StoreU32(LoadU32(&bytes[key + 18]) - 2, &bytes[key + 18]);  // stream cut short
  Extracted(bytes, key, &status);
  EXPECT_EQ(status, ZipStatus::kInflateFailed);
}

TEST(ZipArchiveFile, OpensListsFindsAndExtractsFromDisk) {
  TempDir dir;
  const MadeZip zip = MakeZip({Stored("a/b.png", "bee"), Stored("c.jpg", "sea")});
  const std::string path = dir.Write("t.zip", zip.bytes);
  ZipArchive archive;
  ASSERT_EQ(archive.Open(path.c_str()), ZipStatus::kOk);
  ASSERT_EQ(archive.Members().size(), 2u);
  const FileListEntry* member = archive.FindMember(u"a/b.png");
  ASSERT_TRUE(member);
  EXPECT_EQ(member, archive.FindMember(u"a\\b.png"));
  EXPECT_EQ(archive.FindMember(u"c.jpg")->key, zip.local_offsets[1]);
  EXPECT_FALSE(archive.FindMember(u"b.png"));
  ZipExtracted out;
  ASSERT_EQ(archive.Extract(member->key, &out), ZipStatus::kOk);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.block.data()), out.size), "bee");

  ZipArchive missing, plain;
  EXPECT_EQ(missing.Open(dir.File("none.zip").c_str()), ZipStatus::kCannotOpen);
  const std::string png = dir.Write("x.zip", TextBytes("\x89PNG\r\n\x1a\n not a zip"));
  EXPECT_EQ(plain.Open(png.c_str()), ZipStatus::kNotAnArchive);
}

}  // namespace
