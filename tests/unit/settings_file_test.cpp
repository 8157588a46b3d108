// The settings file itself: what the reader accepts, what a rewrite keeps
// and where the in-place integer write goes.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "app/settings_inline_write.h"
#include "app/settings_reader.h"
#include "app/settings_writer.h"
#include "tests/unit/settings_test_support.h"
#include "tests/unit/test_files.h"

using namespace settings_test;

namespace {

const std::string kFileName = "Ovira.ini";

constexpr uint16_t kCurrent = 0x14C8;

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(temp_.path().empty()); }

  std::string Put(const Bytes& bytes) {
    temp_.Write(kFileName, bytes);
    return path_;
  }
  Bytes Contents() const { return ReadWholeFile(path_); }

  SettingsReader OpenReader() {
    SettingsReader reader;
    reader.Open(path_.c_str());
    return reader;
  }

  TempDir temp_;
  const std::string path_ = temp_.File(kFileName);
};

// --- Reading -------------------------------------------------------------

TEST_F(SettingsFileTest, UnusableFilesReadAsAbsentEntries) {
  const Bytes short_directory = [] {
    Bytes bytes = FileImage(10, kCurrent).Inline(0, 5).Build();
    bytes.resize(4 + 8 * 10 - 1);
    return bytes;
  }();
  const std::vector<Bytes> unusable = {Bytes{}, Bytes{0xC8, 0x14, 0x00}, short_directory};

  for (const Bytes& bytes : unusable) {
    Put(bytes);
    SettingsReader reader = OpenReader();
    EXPECT_FALSE(reader.IsValid()) << bytes.size();
    EXPECT_EQ(reader.Version(), 0);
    EXPECT_EQ(reader.EntryCount(), 0);
    EXPECT_EQ(reader.ReadInt(0, 77), 77);
    EXPECT_TRUE(reader.ReadString(0).empty());
    EXPECT_TRUE(reader.ReadAccelerators().empty());
  }

  SettingsReader missing;
  EXPECT_FALSE(missing.Open(temp_.File("absent.ini").c_str()));
  EXPECT_EQ(missing.ReadInt(3, -1), -1);
}

TEST_F(SettingsFileTest, FileOfFourGibibytesIsInvalid) {
  Put(FileImage(228, kCurrent).Inline(5, 1).Build());
  const int fd = ::open(path_.c_str(), O_WRONLY);
  ASSERT_GE(fd, 0);
  const bool grown = ::ftruncate(fd, off_t{1} << 32) == 0;  // sparse
  ::close(fd);
  if (!grown) GTEST_SKIP() << "file system cannot hold a 4 GiB sparse file";

  SettingsReader reader = OpenReader();
  EXPECT_FALSE(reader.IsValid());
  EXPECT_EQ(reader.ReadInt(5, 0), 0);
}

TEST_F(SettingsFileTest, GarbageReadsWithoutCrashing) {
  Bytes garbage(5000);
  uint32_t state = 12345;
  for (uint8_t& byte : garbage) {
    state = state * 1103515245u + 12345u;
    byte = static_cast<uint8_t>(state >> 16);
  }
  Put(garbage);
  SettingsReader reader = OpenReader();
  for (int i = 0; i < 228; ++i) {
    reader.ReadInt(i, 0);
    EXPECT_LE(reader.ReadString(i).size(), garbage.size() / 2);
    reader.ReadStringList(i);
  }
  EXPECT_LE(reader.ReadAccelerators().size(), 678u);
}

TEST_F(SettingsFileTest, CountAbove228IsClampedAndSizesTheDataArea) {
  // 300 directory entries, then 100 bytes. The data area of the clamped
  // count starts at 1828 and so is 676 bytes long; a 600-byte string placed
  // among the ignored entries 228..299 therefore still fits.
  FileImage image(300, kCurrent);
  image.Inline(227, 42).Inline(250, 9).Raw(1, 1900, 600);
  Bytes bytes = image.Build();
  bytes.resize(bytes.size() + 100, 0x41);
  Put(bytes);

  SettingsReader reader = OpenReader();
  ASSERT_TRUE(reader.IsValid());
  EXPECT_EQ(reader.EntryCount(), 228);
  EXPECT_EQ(reader.ReadInt(227, 0), 42);
  EXPECT_EQ(reader.ReadInt(250, -1), -1);
  uint8_t buffer[700];
  EXPECT_EQ(reader.ReadBytes(1, buffer, sizeof buffer), 600u);
}

TEST_F(SettingsFileTest, ByteStringsMustFitTheDataAreaAndBeReadable) {
  FileImage image(20, kCurrent);
  image.Text(0, u"C:\\Pictures");                    // 22 bytes: the data area
  const uint32_t data_size = 22;
  image.Raw(1, 4, data_size);                         // fits, though inside the directory
  image.Raw(2, 4, data_size + 1);                     // longer than the data area
  image.Raw(3, 4 + 8 * 20 + 10, 20);                  // fits, but runs past the end
  image.Raw(4, 1, 7);                                 // inline, not a string
  Put(image.Build());

  SettingsReader reader = OpenReader();
  EXPECT_EQ(reader.ReadString(0), u"C:\\Pictures");
  uint8_t buffer[64];
  EXPECT_EQ(reader.ReadBytes(1, buffer, sizeof buffer), data_size);
  EXPECT_EQ(reader.ReadBytes(0, buffer, 21), 0u) << "longer than the caller's buffer";
  EXPECT_TRUE(reader.ReadString(2).empty());
  EXPECT_TRUE(reader.ReadString(3).empty());
  EXPECT_TRUE(reader.ReadString(4).empty());
  EXPECT_EQ(reader.ReadInt(0, -1), -1) << "a string is no integer";
}

TEST_F(SettingsFileTest, TextListAndAcceleratorEntries) {
  Bytes list = Utf16(u"a.spi");
  list.insert(list.end(), {0, 0, 0, 0});  // terminator and an empty name
  const Bytes tail = Utf16(u"b.sph");     // last name without terminator
  list.insert(list.end(), tail.begin(), tail.end());
  Bytes odd_text = Utf16(u"ab");
  odd_text.push_back('c');
  Bytes zero_inside = Utf16(u"ab");
  zero_inside.insert(zero_inside.end(), {0, 0, 'c', 0});

  FileImage image(228, kCurrent);
  image.String(208, list).String(0, odd_text).String(29, zero_inside);
  image.String(30, Bytes(6 * 2 + 5, 1));
  image.String(31, Bytes(679, 1));
  Put(image.Build());

  SettingsReader reader = OpenReader();
  EXPECT_EQ(reader.ReadStringList(208), (std::vector<std::u16string>{u"a.spi", u"b.sph"}));
  EXPECT_EQ(reader.ReadString(0), u"ab");
  EXPECT_EQ(reader.ReadString(29), u"ab");
  EXPECT_EQ(reader.ReadAccelerators().size(), 12u) << "whole records only";

  Put(FileImage(228, kCurrent).String(30, Bytes(679, 1)).Build());
  EXPECT_TRUE(OpenReader().ReadAccelerators().empty()) << "more than 113 records";
  Put(FileImage(228, kCurrent).String(30, Bytes(678, 1)).Build());
  EXPECT_EQ(OpenReader().ReadAccelerators().size(), 678u);
}

// --- Rewriting -----------------------------------------------------------

TEST_F(SettingsFileTest, RewriteKeepsEverythingItDoesNotTouch) {
  const Bytes parameters = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  FileImage image(228, 0x1400);
  image.String(150, parameters).Text(0, u"English").Text(12, u"old caption");
  image.Inline(1, 1).Inline(120, -7).Inline(227, 99);
  Put(image.Build());
  const uint32_t old_position = SlotOf(Contents(), 150).position;

  SettingsWriter writer;
  ASSERT_TRUE(writer.Open(path_.c_str()));
  EXPECT_TRUE(writer.WriteString(0, u"Japanese"));
  EXPECT_TRUE(writer.WriteString(12, u""));
  EXPECT_TRUE(writer.WriteInt(5, 1));
  ASSERT_TRUE(writer.Finish());

  const Bytes file = Contents();
  EXPECT_EQ(file[0] | file[1] << 8, 228);
  EXPECT_EQ(file[2] | file[3] << 8, 0x14C8);
  // New strings first, then the carried-over ones; nothing else.
  const Slot language = SlotOf(file, 0);
  const Slot kept = SlotOf(file, 150);
  EXPECT_EQ(language.position, 1828u);
  EXPECT_EQ(kept.position, 1828u + 16u);
  EXPECT_NE(kept.position, old_position);
  EXPECT_EQ(BytesOf(file, kept), parameters);
  EXPECT_EQ(file.size(), 1828u + 16u + parameters.size());
  EXPECT_EQ(SlotOf(file, 12).position, 0u);

  SettingsReader reader = OpenReader();
  EXPECT_EQ(reader.ReadString(0), u"Japanese");
  EXPECT_EQ(reader.ReadInt(1, 0), 1);
  EXPECT_EQ(reader.ReadInt(5, 0), 1);
  EXPECT_EQ(reader.ReadInt(120, 0), -7);
  EXPECT_EQ(reader.ReadInt(227, 0), 99);
}

TEST_F(SettingsFileTest, RewriteOfTruncatedDataAreaDropsOnlyWhatIsGone) {
  FileImage image(228, kCurrent);
  image.Text(0, u"English").Text(29, u"C:\\plugins\\but the file ends here");
  image.Raw(40, 0xFFFFFF00u, 8);  // far past the end
  Bytes bytes = image.Build();
  bytes.resize(bytes.size() - 10);
  Put(bytes);

  SettingsWriter writer;
  ASSERT_TRUE(writer.Open(path_.c_str()));
  writer.WriteInt(5, 1);
  ASSERT_TRUE(writer.Finish());

  const Bytes file = Contents();
  EXPECT_EQ(SlotOf(file, 29).position, 0u);
  EXPECT_EQ(SlotOf(file, 29).length, 0u);
  EXPECT_EQ(file.size(), 1828u + 14u);
  SettingsReader reader = OpenReader();
  EXPECT_EQ(reader.ReadString(0), u"English");
  EXPECT_TRUE(reader.ReadString(29).empty());
}

TEST_F(SettingsFileTest, RewriteNeverLeavesPositionsIntoTheNewLayout) {
  // A small old directory puts old strings where the full directory now
  // lies; a position that pointed into the old directory is meaningless.
  FileImage image(50, 0x1478);
  image.Text(49, u"kept").Raw(48, 8, 8).Inline(3, 5540);
  Put(image.Build());

  SettingsWriter writer;
  ASSERT_TRUE(writer.Open(path_.c_str()));
  writer.WriteString(0, u"new");
  ASSERT_TRUE(writer.Finish());

  const Bytes file = Contents();
  EXPECT_EQ(SlotOf(file, 48).position, 0u);
  EXPECT_EQ(SlotOf(file, 49).position, 1828u + 6u);
  SettingsReader reader = OpenReader();
  EXPECT_EQ(reader.ReadString(49), u"kept");
  EXPECT_EQ(reader.ReadInt(3, 0), 5540);
}

TEST_F(SettingsFileTest, LaterWritesToAnIndexReplaceItsOldString) {
  Put(FileImage(228, kCurrent).Text(100, u"old").Text(101, u"old").Build());

  SettingsWriter writer;
  ASSERT_TRUE(writer.Open(path_.c_str()));
  writer.WriteInt(100, 3);
  writer.WriteBytes(101, nullptr, 0);
  ASSERT_TRUE(writer.Finish());

  SettingsReader reader = OpenReader();
  EXPECT_EQ(reader.ReadInt(100, 0), 3);
  EXPECT_TRUE(reader.ReadString(101).empty());
  EXPECT_EQ(Contents().size(), 1828u);
}

// Entries may point at the same bytes, or at overlapping parts of them: a
// rewrite keeps each byte once, so a file never grows by more than the
// program wrote, and every kept entry still reads what it read before.
TEST_F(SettingsFileTest, RewriteKeepsBytesSharedByEntriesOnce) {
  Bytes shared(1 << 20);
  for (size_t i = 0; i < shared.size(); ++i) shared[i] = static_cast<uint8_t>(i * 7 + i / 251);
  FileImage image(228, kCurrent);
  image.String(100, shared);
  const uint32_t at = SlotOf(image.Build(), 100).position;
  const uint32_t length = static_cast<uint32_t>(shared.size());
  for (uint32_t i = 1; i < 83; ++i) {
    const int index = 100 + static_cast<int>(i);
    if (i % 3 == 0) image.Raw(index, at, length);                           // the same range
    if (i % 3 == 1) image.Raw(index, at + 4096 * i, length - 4096 * i);     // a later start
    if (i % 3 == 2) image.Raw(index, at + 1000 * i, 3000 + 1000 * i);        // a part inside
  }
  image.Text(12, u"caption").Raw(13, at + 10, 0);  // empty, but present
  const Bytes before = image.Build();
  Put(before);

  const std::u16string language = u"English";
  for (int rewrite = 0; rewrite < 2; ++rewrite) {
    SettingsWriter writer;
    ASSERT_TRUE(writer.Open(path_.c_str()));
    ASSERT_TRUE(writer.WriteString(0, language));
    ASSERT_TRUE(writer.Finish());
    const Bytes after = Contents();
    ASSERT_LE(after.size(), before.size() + 2 * language.size()) << "rewrite " << rewrite;
    for (int index = 100; index < 183; ++index) {
      ASSERT_EQ(BytesOf(after, SlotOf(after, index)), BytesOf(before, SlotOf(before, index)))
          << "entry " << index << ", rewrite " << rewrite;
    }
    EXPECT_EQ(SlotOf(after, 13).length, 0u);
    EXPECT_GE(SlotOf(after, 13).position, 2u);
    SettingsReader reader = OpenReader();
    EXPECT_EQ(reader.ReadString(0), language);
    EXPECT_EQ(reader.ReadString(12), u"caption");
  }
}

TEST_F(SettingsFileTest, WriterCreatesFilesAndRefusesBadIndices) {
  SettingsWriter writer;
  ASSERT_TRUE(writer.Open(path_.c_str()));
  EXPECT_FALSE(writer.WriteInt(228, 1));
  EXPECT_FALSE(writer.WriteInt(-1, 1));
  EXPECT_TRUE(writer.WriteInt(227, 1));
  ASSERT_TRUE(writer.Finish());
  EXPECT_FALSE(writer.Finish());
  EXPECT_EQ(Contents().size(), 1828u);
  EXPECT_EQ(OpenReader().ReadInt(227, 0), 1);

  SettingsWriter nowhere;
  EXPECT_FALSE(nowhere.Open(temp_.File("no/such/folder.ini").c_str()));
  EXPECT_FALSE(nowhere.WriteInt(1, 1));
  EXPECT_FALSE(nowhere.Finish());
}

TEST_F(SettingsFileTest, UnfinishedWriterLeavesTheFileAlone) {
  const Bytes original = FileImage(30, 0x1300).Text(2, u"x").Build();
  Put(original);
  {
    SettingsWriter writer;
    ASSERT_TRUE(writer.Open(path_.c_str()));
    writer.WriteString(2, u"changed");
  }
  EXPECT_EQ(Contents(), original);
}

// --- Direct inline writes -------------------------------------------------

TEST_F(SettingsFileTest, InlineWriteChangesOnlyItsSlot) {
  Bytes original = FileImage(228, kCurrent).Text(150, u"params").Inline(103, 4).Build();
  Put(original);

  ASSERT_TRUE(WriteInlineSetting(path_.c_str(), 103, -20));
  ASSERT_TRUE(WriteInlineSetting(path_.c_str(), 150, 6));

  PutU32(original, 4 + 8 * 103 + 4, static_cast<uint32_t>(-20));
  PutU32(original, 4 + 8 * 150, 1);
  PutU32(original, 4 + 8 * 150 + 4, 6);
  EXPECT_EQ(Contents(), original);
}

TEST_F(SettingsFileTest, InlineWriteOnMissingOrShortFileRewritesIt) {
  ASSERT_TRUE(WriteInlineSetting(path_.c_str(), 140, 12));
  EXPECT_EQ(Contents().size(), 1828u);
  EXPECT_EQ(OpenReader().ReadInt(140, 0), 12);

  // The slot of entry 140 would lie inside this file's data area.
  Put(FileImage(10, 0x1400).Text(0, u"English").Inline(1, 1).Build());
  const InlineSetting settings[] = {{140, 12}, {141, 13}};
  ASSERT_TRUE(WriteInlineSettings(path_.c_str(), settings, 2));
  SettingsReader reader = OpenReader();
  EXPECT_EQ(reader.EntryCount(), 228);
  EXPECT_EQ(reader.ReadString(0), u"English");
  EXPECT_EQ(reader.ReadInt(1, 0), 1);
  EXPECT_EQ(reader.ReadInt(140, 0), 12);
  EXPECT_EQ(reader.ReadInt(141, 0), 13);
}

TEST_F(SettingsFileTest, InlineWriteRefusesIndicesOutsideTheDirectory) {
  const Bytes original = FileImage(228, kCurrent).Inline(5, 1).Build();
  Put(original);
  const InlineSetting settings[] = {{5, 0}, {228, 1}};
  EXPECT_FALSE(WriteInlineSettings(path_.c_str(), settings, 2));
  EXPECT_EQ(Contents(), original);
}

}  // namespace
