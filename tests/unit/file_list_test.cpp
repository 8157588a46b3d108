// The file list: its three orders, choosing the current entry, the steps
// that stop at either end, and what the side list is told.
#include "image/file_list.h"

#include <gtest/gtest.h>

#include "image/file_list_sort.h"
#include "tests/unit/file_list_support.h"

namespace {

using Strings = std::vector<std::string>;

constexpr uint64_t kGiB = uint64_t{1} << 30;

std::vector<FileListEntry> Sorted(std::vector<FileListEntry> entries, SortOrder order) {
  SortEntries(&entries, order, nullptr);
  return entries;
}

std::vector<FileListEntry> ThreeFiles() {
  return {FileEntry(u"a.jpg"), FileEntry(u"b.jpg"), FileEntry(u"c.jpg")};
}

TEST(FileListSort, NameOrderReadsNumbersAndIgnoresCase) {
  const std::vector<FileListEntry> files = {
      FileEntry(u"img10.png"), FileEntry(u"IMG2.png"), FileEntry(u"img1.png"),
      FileEntry(u"Img3.jpg"),  FileEntry(u"b.png"),    FileEntry(u"a.PNG")};
  EXPECT_EQ(Names(Sorted(files, SortOrder::kName)),
            (Strings{"a.PNG", "b.png", "img1.png", "IMG2.png", "Img3.jpg", "img10.png"}));
}

TEST(FileListSort, ArchiveMembersTopLevelFirstThenFolderByFolder) {
  const std::vector<FileListEntry> members = {
      MemberEntry(u"a10", u"x.jpg", 1), MemberEntry(u"a", u"b.jpg", 2),
      MemberEntry(u"", u"z.jpg", 3),    MemberEntry(u"a9", u"x.jpg", 4),
      MemberEntry(u"A", u"a.jpg", 5),   MemberEntry(u"", u"y10.jpg", 6),
      MemberEntry(u"", u"y9.jpg", 7)};
  EXPECT_EQ(Names(Sorted(members, SortOrder::kName)),
            (Strings{"y9.jpg", "y10.jpg", "z.jpg", "A\\a.jpg", "a\\b.jpg", "a9\\x.jpg",
                     "a10\\x.jpg"}));
}

TEST(FileListSort, DateAndSizeOrders) {
  const uint64_t day = 864000000000;  // 100 ns ticks
  const std::vector<FileListEntry> files = {
      FileEntry(u"a", 5 * kGiB, 3 * day), FileEntry(u"b", 2048, uint64_t{1} << 32),
      FileEntry(u"c", 1, 0xFFFFFFFF), FileEntry(u"d", 4 * kGiB - 1, 900 * day)};
  // The high word of the time and of the size counts.
  EXPECT_EQ(Names(Sorted(files, SortOrder::kDate)), (Strings{"c", "b", "a", "d"}));
  EXPECT_EQ(Names(Sorted(files, SortOrder::kSize)), (Strings{"c", "b", "d", "a"}));
  // A value no build knows falls back to the name order.
  EXPECT_EQ(Names(Sorted(files, SortOrder(7))), (Strings{"a", "b", "c", "d"}));
}

TEST(FileList, ResortKeepsTheCurrentEntry) {
  // Same name in two folders: finding the entry again by name would be wrong.
  std::vector<FileListEntry> members = {MemberEntry(u"b", u"1.jpg", 20),
                                        MemberEntry(u"a", u"1.jpg", 10),
                                        MemberEntry(u"", u"2.jpg", 30)};
  members[0].size = 1;
  members[1].size = 3;
  members[2].size = 2;
  FileList list;
  list.AssignArchive(members, SortOrder::kName, 20);
  EXPECT_EQ(list.current(), 2u);
  list.Sort(SortOrder::kSize);
  EXPECT_EQ(list.current(), 0u);
  EXPECT_EQ(list.CurrentEntry()->key, 20u);
  list.Sort(SortOrder::kDate);
  EXPECT_EQ(list.CurrentEntry()->key, 20u);
}

TEST(FileList, SelectByNameAndKey) {
  FileList list;
  list.AssignFolder({FileEntry(u"B.jpg"), FileEntry(u"b.jpg"), FileEntry(u"a.jpg")},
                    SortOrder::kName, u"b.jpg");
  ASSERT_EQ(Names(list.entries()), (Strings{"a.jpg", "B.jpg", "b.jpg"}));
  EXPECT_EQ(list.current(), 2u);  // the exact name, not the first one alike
  EXPECT_TRUE(list.SelectByName(u"A.JPG"));
  EXPECT_EQ(list.current(), 0u);
  list.Select(2);
  EXPECT_FALSE(list.SelectByName(u"gone.jpg"));  // renamed elsewhere: first entry
  EXPECT_EQ(list.current(), 0u);

  list.AssignArchive({MemberEntry(u"", u"x.jpg", 7), MemberEntry(u"", u"a.jpg", 0)},
                     SortOrder::kName, 0);
  EXPECT_EQ(list.current(), 0u);  // key 0 is a real member key (a ZIP's first member)
  EXPECT_TRUE(list.SelectByKey(7));
  EXPECT_EQ(list.current(), 1u);
  EXPECT_FALSE(list.SelectByKey(8));
  EXPECT_EQ(list.current(), 0u);
  list.AssignArchive({MemberEntry(u"", u"x.jpg", 7), MemberEntry(u"", u"a.jpg", 3)},
                     SortOrder::kName, std::nullopt);
  EXPECT_EQ(list.current(), 0u);
}

TEST(FileListStep, StopsAtBothEndsWithoutWrapping) {
  FileList list;
  list.AssignFolder(ThreeFiles(), SortOrder::kName, u"c.jpg");
  EXPECT_EQ(list.StepTarget(ListStep::kNext), std::nullopt);
  EXPECT_EQ(list.StepTarget(ListStep::kLast), std::nullopt);
  EXPECT_EQ(list.StepTarget(ListStep::kPrevious), 1u);
  EXPECT_EQ(list.StepTarget(ListStep::kFirst), 0u);

  list.Select(0);
  EXPECT_EQ(list.StepTarget(ListStep::kPrevious), std::nullopt);
  EXPECT_EQ(list.StepTarget(ListStep::kFirst), std::nullopt);
  EXPECT_EQ(list.StepTarget(ListStep::kNext), 1u);
  EXPECT_EQ(list.StepTarget(ListStep::kLast), 2u);
}

TEST(FileListStep, ShortListsNeverMove) {
  for (ListStep step : {ListStep::kFirst, ListStep::kLast, ListStep::kPrevious, ListStep::kNext}) {
    EXPECT_EQ(StepTarget(1, 0, step), std::nullopt);
    EXPECT_EQ(StepTarget(0, 0, step), std::nullopt);
  }
  // An index past the end counts as the last entry.
  EXPECT_EQ(StepTarget(3, 9, ListStep::kNext), std::nullopt);
  EXPECT_EQ(StepTarget(3, 9, ListStep::kPrevious), 1u);
}

TEST(FileList, OutOfRangeIndexAndRemovalSelectTheFirstEntry) {
  FileList list;
  list.AssignFolder(ThreeFiles(), SortOrder::kName, u"b.jpg");
  EXPECT_EQ(list.Select(3), 0u);
  EXPECT_EQ(list.Select(2), 2u);

  list.RemoveCurrent();  // the last of three: the first of two follows
  EXPECT_EQ(Names(list.entries()), (Strings{"a.jpg", "b.jpg"}));
  EXPECT_EQ(list.current(), 0u);
  list.RemoveCurrent();  // the next one moves into its place
  EXPECT_EQ(Names(list.entries()), (Strings{"b.jpg"}));
  EXPECT_EQ(list.current(), 0u);
  list.RemoveCurrent();
  list.RemoveCurrent();
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(list.CurrentEntry(), nullptr);
}

TEST(FileList, SideListHearsRebuildsAndResortsWithTheFinalSelection) {
  FileList list;
  std::vector<std::pair<size_t, size_t>> heard;  // count, current
  list.SetListener([&](const FileList& l) { heard.push_back({l.count(), l.current()}); });
  list.AssignFolder(ThreeFiles(), SortOrder::kName, u"c.jpg");
  list.Sort(SortOrder::kName);  // same order: nothing to tell
  list.Select(1);               // moving the selection is the caller's to show
  list.Sort(SortOrder::kSize);  // all of size 0: the order may change, the entry stays
  list.Clear();
  ASSERT_EQ(heard.size(), 3u);
  EXPECT_EQ(heard[0], std::make_pair(size_t{3}, size_t{2}));
  EXPECT_EQ(heard[1], std::make_pair(size_t{3}, size_t{1}));
  EXPECT_EQ(heard[2], std::make_pair(size_t{0}, size_t{0}));
}

TEST(FileList, SizeInKibRoundsUpWithoutWrapping) {
  EXPECT_EQ(SizeInKib(0), 0u);
  EXPECT_EQ(SizeInKib(1), 1u);
  EXPECT_EQ(SizeInKib(1024), 1u);
  EXPECT_EQ(SizeInKib(1025), 2u);
  EXPECT_EQ(SizeInKib(0xFFFFFFFF), 4194304u);  // 32-bit arithmetic would give 0
  EXPECT_EQ(SizeInKib(5 * kGiB), 5242880u);
  EXPECT_EQ(SizeInKib(UINT64_MAX), UINT32_MAX);
}

}  // namespace
