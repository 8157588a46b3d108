// Building the list: which names are images, the search order and the
// capacity of a folder list, archive members, and rebuilding from a real
// folder with the check of the current file.
#include "image/file_list_build.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>

#include "image/image_name_patterns.h"
#include "tests/unit/file_list_support.h"
#include "tests/unit/test_files.h"

namespace {

using Strings = std::vector<std::string>;
using Patterns = std::vector<std::u16string>;

FolderEntry File(std::u16string name, uint64_t size = 100) {
  return {std::move(name), {}, size, false};
}
FolderEntry Folder(std::u16string name) { return {std::move(name), {}, 0, true}; }

TEST(FileListPatterns, TheDotStandsWhereTheExtensionBegins) {
  const struct {
    std::u16string_view name, pattern;
    bool fits;
  } cases[] = {
      {u"a.tif", u"*.tif", true},     {u"b.tiff", u"*.tif", false}, {u"b.tiff", u"*.tiff", true},
      {u"c.jpe", u"*.jpe", true},     {u"d.jpeg", u"*.jpe", false}, {u"A.JPG", u"*.jpg", true},
      {u".jpg", u"*.jpg", true},      {u"jpg", u"*.jpg", false},    {u"ajpg", u"*.jpg", false},
      {u"x", u"*.jpeg", false},       {u"", u"*.jpg", false},       {u"a.jpg.txt", u"*.jpg", false},
      {u"a.mag", u"*.ma?", true},     {u"a.ma", u"*.ma?", false},   {u"a.MAKI", u"*.ma*", true},
      {u"x.pic", u"*", true},         {u"a.b.c", u"*.b.*", true},   {u"a.pi", u"*.pic", false},
      {u"README", u"*.*", false},     {u"", u"", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NameFitsPattern(c.name, c.pattern), c.fits)
        << Narrow(std::u16string(c.name)) << " " << Narrow(std::u16string(c.pattern));
  }
  EXPECT_TRUE(IsBuiltInImageName(u"x.TIFF"));
  EXPECT_FALSE(IsBuiltInImageName(u"x.zip"));
}

TEST(FileListFolder, EachFileListedOnceUnderItsOwnExtension) {
  const FolderEntry items[] = {File(u"a.tif"), File(u"b.tiff"), File(u"c.jpe"), File(u"d.jpeg")};
  EXPECT_EQ(Names(CollectFolderImages(items, {})),
            (Strings{"a.tif", "b.tiff", "c.jpe", "d.jpeg"}));
}

TEST(FileListFolder, SearchedInPatternOrderThenPluginOrder) {
  const FolderEntry items[] = {File(u"z.png"), File(u"y.jpg"),  File(u"x.pic"), File(u"w.tiff"),
                              File(u"v.gif"), File(u"u.mag"),  File(u"t.BMP"), File(u"s.txt")};
  const Patterns plugins = {u"*.mag", u"*.pic"};
  EXPECT_EQ(Names(CollectFolderImages(items, plugins)),
            (Strings{"y.jpg", "z.png", "v.gif", "t.BMP", "w.tiff", "u.mag", "x.pic"}));
}

TEST(FileListFolder, CapacityIsTheNumberOfFiles) {
  // Subfolders neither count nor get listed, whatever their names.
  const FolderEntry items[] = {Folder(u"trip.jpg"), File(u"a.jpg", 2048), File(u"notes.txt"),
                              Folder(u"sub"), File(u"b.png")};
  std::vector<FileListEntry> images = CollectFolderImages(items, {});
  EXPECT_EQ(Names(images), (Strings{"a.jpg", "b.png"}));
  EXPECT_EQ(images[0].size, 2048u);
  EXPECT_EQ(images[0].key, 0u);
  EXPECT_TRUE(images[0].folder.empty());

  // Plug-ins that announce built-in or catch-all patterns list nothing twice
  // and never more than the files there are.
  const Patterns greedy = {u"*.JPG", u"*.*", u"*"};
  EXPECT_EQ(Names(CollectFolderImages(items, greedy)), (Strings{"a.jpg", "b.png", "notes.txt"}));

  const FolderEntry only_folders[] = {Folder(u"a.jpg"), Folder(u"b")};
  EXPECT_TRUE(CollectFolderImages(only_folders, greedy).empty());
  EXPECT_TRUE(CollectFolderImages({}, greedy).empty());
}

TEST(FileListArchive, BuiltInMembersFirstThenPluginMembersInArchiveOrder) {
  std::vector<FileListEntry> members = {
      MemberEntry(u"", u"p.pic", 1),    MemberEntry(u"a", u"b.jpg", 2),
      MemberEntry(u"", u"notes.txt", 3), MemberEntry(u"dir", u"", 4),
      MemberEntry(u"", u"c.PNG", 5),    MemberEntry(u"x", u"q.PIC", 6),
      MemberEntry(u"", u"d.tiff", 7)};
  std::vector<FileListEntry> images = CollectArchiveImages(members, Patterns{u"*.pic"});
  std::vector<uint32_t> keys;
  for (const FileListEntry& e : images) keys.push_back(e.key);
  EXPECT_EQ(keys, (std::vector<uint32_t>{2, 5, 7, 1, 6}));
  EXPECT_EQ(Names(CollectArchiveImages(members, {})), (Strings{"a\\b.jpg", "c.PNG", "d.tiff"}));
}

class FileListRebuild : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"img10.jpg", "img2.jpg", "b.tiff", "a.tif", "notes.txt"}) {
      dir_.Write(name, {1, 2, 3});
    }
    std::filesystem::create_directory(dir_.File("sub.jpg"));
  }
  FolderRebuild Rebuild(std::u16string_view current, const FileStamp& remembered = {}) {
    return RebuildFolderList(&list_, dir_.path(), current, remembered, {}, SortOrder::kName);
  }

  TempDir dir_;
  FileList list_;
};

TEST_F(FileListRebuild, ListsTheImagesAndFindsTheCurrentFile) {
  const FolderRebuild first = Rebuild(u"img10.jpg");
  EXPECT_EQ(Names(list_.entries()), (Strings{"a.tif", "b.tiff", "img2.jpg", "img10.jpg"}));
  EXPECT_EQ(list_.current(), 3u);
  EXPECT_EQ(list_.CurrentEntry()->size, 3u);
  EXPECT_TRUE(first.current_present);
  EXPECT_EQ(first.current_stamp.size, 3u);

  // Unchanged against what was remembered; a new size is a change.
  EXPECT_FALSE(Rebuild(u"img10.jpg", first.current_stamp).current_changed);
  dir_.Write("img10.jpg", {1, 2, 3, 4});
  const FolderRebuild grown = Rebuild(u"img10.jpg", first.current_stamp);
  EXPECT_TRUE(grown.current_present);
  EXPECT_TRUE(grown.current_changed);
  EXPECT_EQ(grown.current_stamp.size, 4u);
}

TEST_F(FileListRebuild, WriteTimeIsAFileTime) {
  struct timespec times[2] = {{0, 0}, {86400, 500}};  // a day after 1970, 500 ns
  ASSERT_EQ(utimensat(AT_FDCWD, dir_.File("a.tif").c_str(), times, 0), 0);
  const FolderRebuild result = Rebuild(u"A.TIF");
  EXPECT_TRUE(result.current_present);
  const uint64_t ticks = (11644473600ULL + 86400) * 10000000ULL + 5;
  EXPECT_EQ(result.current_stamp.last_write.low, uint32_t(ticks));
  EXPECT_EQ(result.current_stamp.last_write.high, uint32_t(ticks >> 32));
  EXPECT_TRUE(result.current_changed);
}

TEST_F(FileListRebuild, RenamedCurrentFileIsGone) {
  const FolderRebuild before = Rebuild(u"img2.jpg");
  ASSERT_EQ(list_.current(), 2u);
  std::filesystem::rename(dir_.File("img2.jpg"), dir_.File("img3.jpg"));
  const FolderRebuild after = Rebuild(u"img2.jpg", before.current_stamp);
  EXPECT_EQ(Names(list_.entries()), (Strings{"a.tif", "b.tiff", "img3.jpg", "img10.jpg"}));
  EXPECT_EQ(list_.current(), 0u);
  EXPECT_FALSE(after.current_present);
  EXPECT_FALSE(after.current_changed);  // nothing to reload
}

TEST_F(FileListRebuild, CurrentFileOutsideTheListIsStillChecked) {
  // Opened by its content although its extension is not an image's.
  const FolderRebuild result = Rebuild(u"notes.txt");
  EXPECT_EQ(list_.count(), 4u);
  EXPECT_EQ(list_.current(), 0u);
  EXPECT_TRUE(result.current_present);
  EXPECT_EQ(result.current_stamp.size, 3u);
  EXPECT_FALSE(Rebuild(u"sub.jpg").current_present);  // a folder is no current file
}

TEST_F(FileListRebuild, MissingOrImagelessFolderLeavesTheListEmpty) {
  Rebuild(u"a.tif");
  ASSERT_FALSE(list_.empty());
  const FolderRebuild missing =
      RebuildFolderList(&list_, dir_.File("none"), u"a.tif", {}, {}, SortOrder::kName);
  EXPECT_TRUE(list_.empty());
  EXPECT_FALSE(missing.current_present);

  TempDir other;
  other.Write("readme", {1});
  RebuildFolderList(&list_, other.path(), u"", {}, {}, SortOrder::kName);
  EXPECT_TRUE(list_.empty());
}

TEST_F(FileListRebuild, NamesArriveAsUtf16) {
  dir_.Write("\xC3\xA9t\xC3\xA9 \xF0\x9F\x93\xB7.png", {1});  // "été 📷.png"
  dir_.Write("bad\xFF.png", {1});
  Rebuild(u"\u00E9t\u00E9 \U0001F4F7.png");
  EXPECT_EQ(list_.CurrentEntry()->name, u"\u00E9t\u00E9 \U0001F4F7.png");
  EXPECT_TRUE(list_.SelectByName(u"bad\uFFFD.png"));
}

}  // namespace
