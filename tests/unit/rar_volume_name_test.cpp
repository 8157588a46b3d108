// The volume a RAR listing starts from, by the archive flags the library
// reports for the file that was opened.
#include <gtest/gtest.h>

#include <string>

#include "rar/rar_volume_name.h"

namespace {

constexpr uint32_t kLater = ROADF_VOLUME | ROADF_NEWNUMBERING;
constexpr uint32_t kFirst = kLater | ROADF_FIRSTVOLUME;

std::u16string First(const std::u16string& path, uint32_t flags = kLater) {
  return FirstVolumePath(path, flags);
}

TEST(RarVolumeName, ALaterVolumeOfTheNewSchemeGivesTheFirst) {
  EXPECT_EQ(First(u"C:\\pics\\set.part3.rar"), u"C:\\pics\\set.part1.rar");
  EXPECT_EQ(First(u"C:\\pics\\set.part03.rar"), u"C:\\pics\\set.part1.rar");
  EXPECT_EQ(First(u"set.part12.rar"), u"set.part1.rar");
  EXPECT_EQ(First(u"C:\\PICS\\SET.PART3.RAR"), u"C:\\PICS\\SET.part1.rar");
  EXPECT_EQ(First(u"C:/pics/holiday.2024.part2.rar"), u"C:/pics/holiday.2024.part1.rar");
}

TEST(RarVolumeName, DotsOfTheFolderAreNoSuffixes) {
  EXPECT_EQ(First(u"D:\\my.photos\\set.part3.rar"), u"D:\\my.photos\\set.part1.rar");
  // A later volume whose name lost its part number: only its extension goes.
  EXPECT_EQ(First(u"D:\\my.photos\\set.rar"), u"D:\\my.photos\\set.part1.rar");
  EXPECT_EQ(First(u"D:\\my.photos\\set"), u"D:\\my.photos\\set.part1.rar");
}

TEST(RarVolumeName, FirstVolumesOldSchemeVolumesAndSingleArchivesStay) {
  EXPECT_EQ(First(u"C:\\set.part1.rar", kFirst), u"C:\\set.part1.rar");
  EXPECT_EQ(First(u"C:\\set.part3.rar", ROADF_VOLUME), u"C:\\set.part3.rar");
  EXPECT_EQ(First(u"C:\\set.r01", ROADF_VOLUME), u"C:\\set.r01");
  EXPECT_EQ(First(u"C:\\set.part3.rar", ROADF_NEWNUMBERING), u"C:\\set.part3.rar");
  EXPECT_EQ(First(u"C:\\set.part3.rar", 0), u"C:\\set.part3.rar");
}

TEST(RarVolumeName, WideStringsFollowTheSameRule) {
  EXPECT_EQ(FirstVolumePath(std::wstring(L"a.b\\c.part2.rar"), kLater), L"a.b\\c.part1.rar");
}

}  // namespace
