// The viewer's RAR source through our unrar64.dll beside the test program:
// libarchive's RAR 4 and RAR 5 test files listed and extracted, a later
// volume listed from the first, the password dialog asked once per
// operation, and the library found in the right one of its places.
#include <gtest/gtest.h>
#include <windows.h>
#include <zlib.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/language_module_win.h"
#include "image/path_parts.h"
#include "image/rar_operation_win.h"
#include "image/rar_password_dialog_win.h"
#include "image/rar_source_win.h"
#include "image/unrar_library_win.h"
#include "lang/string_ids.h"
#include "tests/unit/uu_decode.h"
#include "tests/win/box_answer.h"
#include "tests/win/win_test_files.h"

namespace {

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return FolderOfPath(std::wstring(path));
}

uint32_t Crc(const PageBlock& block, uint32_t size) { return uint32_t(crc32(0, block.data(), size)); }

std::string Text(const PageBlock& block, uint32_t size) {
  return std::string(reinterpret_cast<const char*>(block.data()), size);
}

int64_t Ticks(FileTimeValue time) { return int64_t(uint64_t{time.high} << 32 | time.low); }

class RarSource : public testing::Test {
 protected:
  void SetUp() override {
    if (!UnrarLibrary(L"")) GTEST_SKIP() << "unrar64.dll is not beside the tests";
    if (LibarchiveTestFile("test_read_format_rar.rar").empty()) GTEST_SKIP() << "libarchive source missing";
    std::wstring name;
    App().language.reset(LoadLanguageModule(L"English", &name));
    DropPendingMessages();
  }
  void TearDown() override { App().language.reset(); }

  std::wstring Archive(const std::string& name, const std::wstring& saved_as = {}) {
    return dir_.Write(saved_as.empty() ? std::wstring(name.begin(), name.end()) : saved_as,
                      LibarchiveTestFile(name));
  }

  RarListing List(const std::wstring& path) {
    RarListing listing;
    EXPECT_TRUE(ListRar(places_, path, &listing));
    return listing;
  }

  WinTempDir dir_;
  RarPlaces places_;
};

TEST_F(RarSource, ListsARar4ArchiveWithFoldersSplitOff) {
  const std::wstring path = Archive("test_read_format_rar.rar");
  const RarListing listing = List(path);
  ASSERT_EQ(listing.members.size(), 5u);
  const char16_t* names[] = {u"test.txt", u"testlink", u"test.txt", u"testdir", u"testemptydir"};
  const char16_t* folders[] = {u"", u"", u"testdir", u"", u""};
  const uint64_t sizes[] = {20, 0, 20, 0, 0};
  for (uint32_t i = 0; i < 5; ++i) {
    EXPECT_EQ(listing.members[i].name, names[i]) << i;
    EXPECT_EQ(listing.members[i].folder, folders[i]) << i;
    EXPECT_EQ(listing.members[i].size, sizes[i]) << i;
    EXPECT_EQ(listing.members[i].key, i);
    EXPECT_NE(Ticks(listing.members[i].last_write), 0) << i;
  }
  WIN32_FILE_ATTRIBUTE_DATA data;
  ASSERT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(listing.last_write.low, data.ftLastWriteTime.dwLowDateTime);
  EXPECT_EQ(listing.last_write.high, data.ftLastWriteTime.dwHighDateTime);
}

// The DOS time of the header is local time; the listing gives UTC, which
// the library also reports to the second.
TEST_F(RarSource, MemberTimesAreUniversalTime) {
  const std::wstring path = Archive("test_read_format_rar5_multiple_files.rar");
  const RarListing listing = List(path);
  ASSERT_FALSE(listing.members.empty());
  UnrarLibrary library(L"");
  RarArchive archive(library.functions(), path, RAR_OM_LIST, nullptr, 0);
  ASSERT_TRUE(archive);
  RARHeaderDataEx header{};
  ASSERT_EQ(archive.ReadHeader(&header), ERAR_SUCCESS);
  const int64_t exact = int64_t(uint64_t{header.MtimeHigh} << 32 | header.MtimeLow);
  EXPECT_LE(std::abs(Ticks(listing.members[0].last_write) - exact), 20'000'000) << "within the DOS 2 s";
}

TEST_F(RarSource, ExtractsRar4MembersByPosition) {
  const std::wstring path = Archive("test_read_format_rar.rar");
  PageBlock block;
  uint32_t size = 0;
  ASSERT_TRUE(ExtractRar(places_, path, 2, &block, &size));
  EXPECT_EQ(Text(block, size), "test text document\r\n");
  ASSERT_GE(block.size(), size + 4u);
  for (uint32_t i = 0; i < 4; ++i) EXPECT_EQ(block.data()[size + i], 0) << "slack byte " << i;
  ASSERT_TRUE(ExtractRar(places_, Archive("test_read_format_rar_compress_normal.rar"), 0, &block, &size));
  EXPECT_EQ(size, 20111u);
  EXPECT_EQ(Crc(block, size), 0x5e05a663u);
}

TEST_F(RarSource, ListsAndExtractsRar5Members) {
  const std::wstring path = Archive("test_read_format_rar5_multiple_files.rar");
  const RarListing listing = List(path);
  ASSERT_EQ(listing.members.size(), 4u);
  for (uint32_t i = 0; i < 4; ++i) {
    EXPECT_EQ(listing.members[i].name, u"test" + std::u16string(1, char16_t(u'1' + i)) + u".bin");
    EXPECT_EQ(listing.members[i].size, 4096u);
    EXPECT_EQ(listing.members[i].key, i);
  }
  PageBlock block;
  uint32_t size = 0;
  ASSERT_TRUE(ExtractRar(places_, path, 0, &block, &size));
  EXPECT_EQ(size, 4096u);
  EXPECT_EQ(Crc(block, size), 0x7e13b2c6u);
  ASSERT_TRUE(ExtractRar(places_, path, 3, &block, &size));
  EXPECT_EQ(Crc(block, size), 0x10c43ed4u);
  ASSERT_TRUE(ExtractRar(places_, Archive("test_read_format_rar5_stored.rar"), 0, &block, &size));
  EXPECT_EQ(Text(block, size), "hello libarchive test suite!\n");
}

TEST_F(RarSource, FailsQuietlyOnMissingMembersAndOtherFiles) {
  const std::wstring path = Archive("test_read_format_rar5_multiple_files.rar");
  PageBlock block;
  uint32_t size = 0;
  EXPECT_FALSE(ExtractRar(places_, path, 4, &block, &size));
  EXPECT_FALSE(block);
  const std::wstring other = dir_.Write(L"not.rar", {'P', 'K', 3, 4, 0, 0, 0, 0});
  RarListing listing;
  EXPECT_FALSE(ListRar(places_, other, &listing));
  EXPECT_FALSE(ListRar(places_, dir_.path() + L"\\missing.rar", &listing));
  EXPECT_FALSE(ExtractRar(places_, other, 0, &block, &size));
}

TEST_F(RarSource, ALaterVolumeIsListedFromTheFirst) {
  const std::string set = "test_rar_multivolume_single_file.part";
  for (int part = 1; part <= 3; ++part) {
    const std::string name = set + std::to_string(part) + ".rar";
    Archive(name, L"Set.part" + std::to_wstring(part) + L".rar");
  }
  const RarListing first = List(dir_.path() + L"\\Set.part1.rar");
  ASSERT_EQ(first.members.size(), 1u);
  EXPECT_EQ(first.members[0].name, u"LibarchiveAddingTest.html");
  EXPECT_EQ(first.members[0].size, 20111u);
  const RarListing third = List(dir_.path() + L"\\Set.part3.rar");
  ASSERT_EQ(third.members.size(), 1u);
  EXPECT_EQ(third.members[0].name, u"LibarchiveAddingTest.html");
  EXPECT_EQ(Ticks(third.members[0].last_write), Ticks(first.members[0].last_write));
}

// Our library reads a later volume on its own too; a different archive
// under the first volume's name shows which of the two was listed.
TEST_F(RarSource, TheListingComesFromTheFirstVolumesFile) {
  Archive("test_read_format_rar.rar", L"Mixed.part1.rar");
  const std::wstring third = Archive("test_rar_multivolume_single_file.part3.rar", L"Mixed.part3.rar");
  const RarListing listing = List(third);
  ASSERT_EQ(listing.members.size(), 5u);
  EXPECT_EQ(listing.members[0].name, u"test.txt");
  PageBlock block;
  uint32_t size = 0;
  ASSERT_TRUE(ExtractRar(places_, third, 2, &block, &size));
  EXPECT_EQ(Text(block, size), "test text document\r\n");
}

TEST_F(RarSource, TheFirstVolumeMustExistUnderItsNewSchemeName) {
  Archive("test_rar_multivolume_single_file.part3.rar", L"Lone.part3.rar");
  RarListing listing;
  EXPECT_FALSE(ListRar(places_, dir_.path() + L"\\Lone.part3.rar", &listing));
}

TEST_F(RarSource, ThePasswordDialogIsShownAndCancelled) {
  std::wstring caption;
  std::wstring password = L"kept";
  std::thread answer = AnswerBox(GetCurrentThreadId(), IDCANCEL, &caption);
  EXPECT_FALSE(AskForRarPassword(nullptr, &password));
  answer.join();
  EXPECT_EQ(caption, L"Password");
  EXPECT_EQ(password, L"kept");
}

TEST_F(RarSource, ThePasswordIsAskedOnceAndCutToTheLibrarysBuffer) {
  RarOperation op(nullptr, L"");
  wchar_t first[32], second[32], small[4];
  {
    BoxAnswerer answers(GetCurrentThreadId(), IDOK, IDC_RAR_PASSWORD, L"secret");
    const auto user = reinterpret_cast<LPARAM>(&op);
    EXPECT_EQ(RarCallback(UCM_NEEDPASSWORDW, user, reinterpret_cast<LPARAM>(first), 32), 0);
    EXPECT_EQ(RarCallback(UCM_NEEDPASSWORDW, user, reinterpret_cast<LPARAM>(second), 32), 0);
    EXPECT_EQ(RarCallback(UCM_NEEDPASSWORDW, user, reinterpret_cast<LPARAM>(small), 4), 0);
    EXPECT_EQ(answers.count(), 1);
  }
  EXPECT_STREQ(first, L"secret");
  EXPECT_STREQ(second, L"secret");
  EXPECT_STREQ(small, L"sec");
}

TEST_F(RarSource, ACancelledPasswordStaysCancelled) {
  RarOperation op(nullptr, L"");
  wchar_t buffer[32] = L"";
  BoxAnswerer answers(GetCurrentThreadId(), IDCANCEL, IDC_RAR_PASSWORD);
  const auto user = reinterpret_cast<LPARAM>(&op);
  EXPECT_EQ(RarCallback(UCM_NEEDPASSWORDW, user, reinterpret_cast<LPARAM>(buffer), 32), -1);
  EXPECT_EQ(RarCallback(UCM_NEEDPASSWORDW, user, reinterpret_cast<LPARAM>(buffer), 32), -1);
  EXPECT_EQ(answers.count(), 1);
  EXPECT_STREQ(buffer, L"");
}

TEST_F(RarSource, TheCallbackRefusesMissingVolumesAndOverlongData) {
  RarOperation op(nullptr, L"");
  const auto user = reinterpret_cast<LPARAM>(&op);
  EXPECT_EQ(RarCallback(UCM_CHANGEVOLUMEW, user, 0, RAR_VOL_ASK), -1);
  EXPECT_EQ(RarCallback(UCM_CHANGEVOLUMEW, user, 0, RAR_VOL_NOTIFY), 0);
  {
    BoxAnswerer answers(GetCurrentThreadId(), IDCANCEL);
    char narrow[8] = "";
    EXPECT_EQ(RarCallback(UCM_NEEDPASSWORD, user, reinterpret_cast<LPARAM>(narrow), 8), 0);
    EXPECT_EQ(RarCallback(UCM_CHANGEVOLUME, user, reinterpret_cast<LPARAM>(narrow), RAR_VOL_ASK), 0);
    EXPECT_EQ(answers.count(), 0) << "the narrow requests show nothing";
  }
  const uint8_t chunk[5] = {1, 2, 3, 4, 5};
  EXPECT_EQ(RarCallback(UCM_PROCESSDATA, user, reinterpret_cast<LPARAM>(chunk), 5), 0) << "listing: ignored";
  uint8_t out[8] = {};
  op.extract = true;
  op.out_start = op.out_at = out;
  op.out_end = out + 8;
  EXPECT_EQ(RarCallback(UCM_PROCESSDATA, user, reinterpret_cast<LPARAM>(chunk), 5), 0);
  EXPECT_EQ(RarCallback(UCM_PROCESSDATA, user, reinterpret_cast<LPARAM>(chunk), 5), -1);
  EXPECT_EQ(op.out_at, out + 5);
  EXPECT_EQ(out[4], 5);
  EXPECT_EQ(out[5], 0);
}

TEST_F(RarSource, AnEncryptedMemberAsksOncePerExtractionAndFails) {
  const std::wstring path = Archive("test_read_format_rar_encryption_data.rar");
  {
    BoxAnswerer answers(GetCurrentThreadId(), IDCANCEL, IDC_RAR_PASSWORD);
    const RarListing listing = List(path);
    ASSERT_EQ(listing.members.size(), 2u);
    EXPECT_EQ(listing.members[0].name, u"foo.txt");
    EXPECT_EQ(answers.count(), 0) << "the names are not encrypted";
  }
  PageBlock block;
  uint32_t size = 0;
  for (int button : {IDCANCEL, IDOK}) {
    BoxAnswerer answers(GetCurrentThreadId(), button, IDC_RAR_PASSWORD, L"password");
    EXPECT_FALSE(ExtractRar(places_, path, 0, &block, &size));
    EXPECT_FALSE(block);
    EXPECT_EQ(answers.count(), 1) << button;
  }
}

TEST_F(RarSource, EncryptedHeadersAskOncePerListingAndFail) {
  const std::wstring path = Archive("test_read_format_rar_encryption_header.rar");
  for (int button : {IDCANCEL, IDOK}) {
    BoxAnswerer answers(GetCurrentThreadId(), button, IDC_RAR_PASSWORD, L"password");
    RarListing listing;
    EXPECT_FALSE(ListRar(places_, path, &listing));
    EXPECT_EQ(answers.count(), 1) << button;
  }
}

class RarLibraryPlaces : public testing::Test {
 protected:
  void SetUp() override {
    if (!UnrarLibrary(L"")) GTEST_SKIP() << "unrar64.dll is not beside the tests";
  }
  std::wstring Beside() const { return ProgramFolder() + L"\\unrar64.dll"; }
  void CopyIntoPlugins(const std::wstring& from) {
    ASSERT_TRUE(CopyFileW(from.c_str(), plugins_.File(L"unrar64.dll").c_str(), FALSE));
  }

  WinTempDir plugins_;
};

TEST_F(RarLibraryPlaces, WithoutAPluginFolderOursBesideTheProgramIsUsed) {
  EXPECT_EQ(UnrarLibrary(L"").path(), Beside());
  EXPECT_TRUE(RarAvailable(RarPlaces{}));
}

TEST_F(RarLibraryPlaces, TheLibraryInThePluginFolderComesFirst) {
  CopyIntoPlugins(Beside());
  const UnrarLibrary library(plugins_.path());
  EXPECT_EQ(library.path(), plugins_.path() + L"\\unrar64.dll");
  const UnrarLibrary with_slash(plugins_.path() + L"\\");
  EXPECT_EQ(with_slash.path(), plugins_.path() + L"\\unrar64.dll");
}

TEST_F(RarLibraryPlaces, AFileThatIsNoLibraryIsPassedOver) {
  plugins_.Write(L"unrar64.dll", std::vector<uint8_t>(4096, 0x5A));
  const UnrarLibrary library(plugins_.path());
  EXPECT_EQ(library.path(), Beside());
  EXPECT_TRUE(library.functions().open && library.functions().close);
  if (LibarchiveTestFile("test_read_format_rar.rar").empty()) return;
  RarPlaces places;
  places.plugin_folder = plugins_.path();
  RarListing listing;
  WinTempDir archives;
  const std::wstring path = archives.Write(L"a.rar", LibarchiveTestFile("test_read_format_rar.rar"));
  EXPECT_TRUE(ListRar(places, path, &listing));
  EXPECT_EQ(listing.members.size(), 5u);
}

TEST_F(RarLibraryPlaces, ALibraryWithoutTheFourFunctionsIsPassedOver) {
  CopyIntoPlugins(ProgramFolder() + L"\\English.dll");
  EXPECT_EQ(UnrarLibrary(plugins_.path()).path(), Beside());
}

TEST_F(RarLibraryPlaces, AnEmptyPluginFolderIsPassedOver) {
  EXPECT_EQ(UnrarLibrary(plugins_.path()).path(), Beside());
  EXPECT_EQ(UnrarLibrary(plugins_.path() + L"\\no such folder").path(), Beside());
}

}  // namespace
