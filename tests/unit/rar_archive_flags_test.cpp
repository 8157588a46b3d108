// The archive flags our unrar64.dll reports, read from RAR 4 and RAR 5
// volume sets of libarchive's own test files: the viewer's volume check
// opens the first volume when given a later one by these flags alone.
#include <gtest/gtest.h>

#include "rar/rar_archive_flags.h"
#include "tests/unit/uu_decode.h"

namespace {

uint32_t FlagsOf(const std::string& name) {
  const std::vector<uint8_t> bytes = LibarchiveTestFile(name);
  uint32_t flags = 0xDEAD;
  EXPECT_TRUE(ReadRarArchiveFlags(bytes.data(), bytes.size(), &flags)) << name;
  return flags;
}

TEST(RarArchiveFlags, VolumesOfBothVersionsTellTheFirstFromTheRest) {
  if (LibarchiveTestFile("test_read_format_rar.rar").empty()) GTEST_SKIP() << "libarchive source missing";
  constexpr uint32_t kFirst = ROADF_VOLUME | ROADF_NEWNUMBERING | ROADF_FIRSTVOLUME;
  constexpr uint32_t kLater = ROADF_VOLUME | ROADF_NEWNUMBERING;
  EXPECT_EQ(FlagsOf("test_rar_multivolume_single_file.part1.rar"), kFirst);
  EXPECT_EQ(FlagsOf("test_rar_multivolume_single_file.part3.rar"), kLater);
  EXPECT_EQ(FlagsOf("test_read_format_rar5_multiarchive.part01.rar"), kFirst);
  EXPECT_EQ(FlagsOf("test_read_format_rar5_multiarchive.part03.rar"), kLater);
  EXPECT_EQ(FlagsOf("test_read_format_rar.rar"), 0u);
  EXPECT_EQ(FlagsOf("test_read_format_rar5_stored.rar"), ROADF_NEWNUMBERING);
  EXPECT_EQ(FlagsOf("test_read_format_rar5_solid.rar"), ROADF_NEWNUMBERING | ROADF_SOLID);
  EXPECT_EQ(FlagsOf("test_read_format_rar_encryption_header.rar") & ROADF_ENCHEADERS,
            ROADF_ENCHEADERS);
}

TEST(RarArchiveFlags, NoSignatureOrACutHeaderIsNoArchive) {
  uint32_t flags = 0;
  const std::vector<uint8_t> zip = {'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_FALSE(ReadRarArchiveFlags(zip.data(), zip.size(), &flags));
  std::vector<uint8_t> rar5 = LibarchiveTestFile("test_read_format_rar5_stored.rar");
  if (rar5.empty()) GTEST_SKIP() << "libarchive source missing";
  EXPECT_FALSE(ReadRarArchiveFlags(rar5.data(), 13, &flags));
  std::vector<uint8_t> rar4 = LibarchiveTestFile("test_read_format_rar.rar");
  EXPECT_FALSE(ReadRarArchiveFlags(rar4.data(), 10, &flags));
}

}  // namespace
