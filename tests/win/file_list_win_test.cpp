// The Windows side of the file list: the folder listing through the system's
// search, and the shell's logical order agreeing with the portable one.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "image/file_list_build.h"
#include "image/logical_compare.h"
#include "image/natural_compare.h"
#include "tests/win/win_test_files.h"

namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

std::u16string U16(const std::wstring& text) {
  return std::u16string(text.begin(), text.end());
}

TEST(FileListWin, ListsFilesAndFoldersWithSizes) {
  WinTempDir dir;
  dir.Write(L"a.tif", std::vector<uint8_t>(3000, 1));
  dir.Write(L"b.tiff", {1});
  dir.Write(L"\u00E9t\u00E9.jpg", {1, 2});
  const std::wstring sub = dir.path() + L"\\sub.jpg";
  ASSERT_TRUE(CreateDirectoryW(sub.c_str(), nullptr));

  std::vector<FolderEntry> items;
  ASSERT_TRUE(ListFolder(dir.path(), &items));
  ASSERT_EQ(items.size(), 4u);
  auto find = [&](std::u16string_view name) {
    return std::find_if(items.begin(), items.end(), [&](const FolderEntry& i) { return i.name == name; });
  };
  ASSERT_NE(find(u"a.tif"), items.end());
  EXPECT_EQ(find(u"a.tif")->size, 3000u);
  EXPECT_NE(find(u"a.tif")->last_write.high, 0u);
  ASSERT_NE(find(u"sub.jpg"), items.end());
  EXPECT_TRUE(find(u"sub.jpg")->is_folder);
  EXPECT_NE(find(u"\u00E9t\u00E9.jpg"), items.end());

  // The same folder once more, through the list: each file once, the folder
  // left out, the current file found with its stamp.
  FileList list;
  const FolderRebuild rebuild = RebuildFolderList(&list, dir.path() + L"\\", u"B.TIFF", {}, {},
                                                  SortOrder::kName);
  ASSERT_EQ(list.count(), 3u);
  EXPECT_EQ(list.entries()[0].name, u"a.tif");
  EXPECT_EQ(list.current(), 1u);
  EXPECT_TRUE(rebuild.current_present);
  EXPECT_EQ(rebuild.current_stamp.size, 1u);

  RemoveDirectoryW(sub.c_str());
  EXPECT_FALSE(ListFolder(dir.path() + L"\\none", &items));
  EXPECT_TRUE(items.empty());
}

TEST(FileListWin, ShellOrderAgreesWithTheNaturalOrder) {
  // Letters and digits only: where the shell puts punctuation, leading zeros
  // and letters beyond ASCII is its own affair.
  const std::wstring names[] = {L"img10.png", L"img2.png", L"IMG2.png", L"img1.png",
                                L"a",         L"A1",       L"a1b",      L"a10",
                                L"b",         L"x1y2",     L"x1y10",    L"Zeta",
                                L"zeta9",     L"zeta10"};
  for (const std::wstring& a : names) {
    for (const std::wstring& b : names) {
      EXPECT_EQ(Sign(LogicalCompare(U16(a), U16(b))), Sign(NaturalCompare(U16(a), U16(b))))
          << std::string(a.begin(), a.end()) << " " << std::string(b.begin(), b.end());
    }
  }
}

}  // namespace
