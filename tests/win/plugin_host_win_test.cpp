// The plug-in host with the test plug-ins of the build (test-plugins/):
// the patterns it gathers, the second look 128 bytes in, the depths it
// refuses, archives listed and extracted by a plug-in, the folder setting,
// and the viewer opening what only a plug-in reads.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/language_module_win.h"
#include "app/settings_location_win.h"
#include "image/document_win.h"
#include "image/plugin_host_win.h"
#include "image/plugin_places_win.h"
#include "tests/plugins/test_archive_format.h"
#include "tests/plugins/test_picture_core.h"
#include "tests/unit/zip_maker.h"
#include "tests/win/box_answer.h"
#include "tests/win/view_test_window.h"
#include "tests/win/win_test_files.h"
#include "tests/win/window_test_support.h"
#include "view/edit_window_win.h"

namespace {

std::wstring TestPlugins(const wchar_t* kind) {
  return JoinPath(ProgramFolder(), std::wstring(L"test-plugins\\") + kind);
}

PluginPlaces Images() { return {TestPlugins(L"images"), {}}; }
PluginPlaces Archives() { return {TestPlugins(L"archives"), {}}; }

// 3 x 2 pixels at 8 bits: palette index = x + 3 * row (rows bottom-up).
std::vector<uint8_t> EightBitPicture() {
  std::vector<uint8_t> palette(256 * 4);
  for (int i = 0; i < 256; ++i) palette[4 * i + 2] = uint8_t(i * 10);  // red ramp
  return MakeTestPicture(3, 2, 8, palette, {0, 1, 2, 0, 3, 4, 5, 0});
}

std::vector<uint8_t> Prefixed(const std::vector<uint8_t>& picture) {
  std::vector<uint8_t> file(128 + picture.size(), 0x5A);
  std::copy(picture.begin(), picture.end(), file.begin() + 128);
  return file;
}

TEST(PluginHost, PatternsLeaveOutBuiltInExtensionsAndRepeatsAndArchivesWhenNotAsked) {
  EXPECT_EQ(PluginPatterns(Images(), false), (std::vector<std::u16string>{u"*.ovt", u"*.ovu"}));
  EXPECT_EQ(PluginPatterns(Archives(), true), (std::vector<std::u16string>{u"*.ova"}));
  EXPECT_TRUE(PluginPatterns(Archives(), false).empty());
  EXPECT_TRUE(PluginPatterns({L"", {}}, true).empty());
  EXPECT_TRUE(PluginPatterns({TestPlugins(L"none"), {}}, true).empty());
  // A module switched off (any letter case) is not asked.
  EXPECT_TRUE(PluginPatterns({TestPlugins(L"images"), {u"OVTEST.SPI"}}, false).empty());
  EXPECT_EQ(PluginModuleNames(TestPlugins(L"archives")), std::vector<std::wstring>{L"ovarc.sph"});
  std::wstring patterns, descriptions;
  DescribePlugin(TestPlugins(L"images"), L"ovtest.spi", &patterns, &descriptions);
  EXPECT_EQ(patterns, L"*.ovt;*.JPG;*.ovt;*.ovu");
  EXPECT_EQ(descriptions, L"Test pictures/More test pictures");
}

TEST(PluginHost, APictureOpensFromItsFileAlsoBehindA128ByteHeaderAndFromMemory) {
  WinTempDir dir;
  for (const auto& [name, bytes] : {std::pair{L"plain.ovt", EightBitPicture()},
                                    std::pair{L"behind.ovt", Prefixed(EightBitPicture())}}) {
    OwnedImage image;
    ASSERT_TRUE(OpenPluginImage(Images(), dir.Write(name, bytes), &image.record)) << name;
    const ImageBuffer& got = image.record;
    EXPECT_EQ(got.header.width, 3);
    EXPECT_EQ(got.header.bit_count, 8);
    EXPECT_EQ(got.source_format, kSourcePlugin);
    EXPECT_EQ(got.source_size, bytes.size());
    EXPECT_EQ(got.pixels[4 + 2], 5);  // second row, third pixel
    EXPECT_EQ(got.palette[5].red, 50);
  }
  const std::vector<uint8_t> behind = Prefixed(EightBitPicture());
  OwnedImage image;
  ASSERT_TRUE(OpenPluginImageFromMemory(Images(), L"m.ovt", behind.data(), uint32_t(behind.size()),
                                        &image.record));
  EXPECT_EQ(image.record.pixels[1], 1);
  // A member too short for the plug-in's look at its head is never read past.
  const std::vector<uint8_t> tiny = {'O', 'V', 'T', 'P'};
  EXPECT_FALSE(OpenPluginImageFromMemory(Images(), L"t.ovt", tiny.data(), 4, &image.record));
}

TEST(PluginHost, FourBitRowsAreSpreadAndOtherDepthsFailTheOpen) {
  WinTempDir dir;
  OwnedImage image;
  const std::vector<uint8_t> four = MakeTestPicture(3, 1, 4, std::vector<uint8_t>(64), {0x12, 0x30, 0, 0});
  ASSERT_TRUE(OpenPluginImage(Images(), dir.Write(L"four.ovt", four), &image.record));
  EXPECT_EQ(image.record.source_bits_per_pixel, 4u);
  EXPECT_EQ(image.record.pixels[0], 1);
  EXPECT_EQ(image.record.pixels[2], 3);
  const std::vector<uint8_t> sixteen = MakeTestPicture(2, 2, 16, {}, std::vector<uint8_t>(8, 7));
  OwnedImage refused;
  EXPECT_FALSE(OpenPluginImage(Images(), dir.Write(L"deep.ovt", sixteen), &refused.record));
  EXPECT_EQ(refused.record.pixels, nullptr);
  EXPECT_FALSE(OpenPluginImage(Images(), dir.Write(L"no.ovt", {'N', 'O', 'P', 'E'}), &refused.record));
}

TEST(PluginHost, AnArchivePluginListsMembersWithFoldersAndTimesAndExtractsThem) {
  WinTempDir dir;
  const std::wstring archive = dir.Write(
      L"set.ova", MakeTestArchive({{"top.bmp", 86400, GreyBmp(5, 4, 9)},
                                   {"inner/deep.ovt", 0, EightBitPicture()}}));
  PluginArchiveListing listing;
  ASSERT_TRUE(ListPluginArchive(Archives(), archive, &listing));
  ASSERT_EQ(listing.members.size(), 2u);
  EXPECT_EQ(listing.members[0].name, u"top.bmp");
  EXPECT_EQ(listing.members[0].folder, u"");
  EXPECT_EQ(listing.members[1].folder, u"inner");
  // One day after 1970 in file-time ticks.
  const uint64_t ticks = (86400ull + 11644473600ull) * 10000000ull;
  EXPECT_EQ(listing.members[0].last_write.low, uint32_t(ticks));
  EXPECT_EQ(listing.members[0].last_write.high, uint32_t(ticks >> 32));
  PageBlock block;
  uint32_t size = 0;
  ASSERT_TRUE(ExtractPluginMember(Archives(), archive, listing.members[1].key, &block, &size));
  EXPECT_EQ(std::vector<uint8_t>(block.data(), block.data() + size), EightBitPicture());
  EXPECT_FALSE(ExtractPluginMember(Archives(), archive, 1, &block, &size));
  EXPECT_FALSE(ListPluginArchive(Images(), archive, &listing));
}

class PluginViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DropPendingMessages();
    ApplicationState& app = App();
    std::wstring name;
    app.language.reset(LoadLanguageModule(L"English", &name));
    view_ = CreateTestViewWindow(400, 60, 420, 340);
    ASSERT_NE(view_, nullptr);
    edit_ = CreateEditWindow(app.instance);
    ASSERT_NE(edit_, nullptr);
    UsePlugins(TestPlugins(L"images"));
  }
  void TearDown() override {
    DestroyTestViewWindows(view_, edit_);
    App().settings.plugin_folder_stored = false;
    App().settings.plugin_folder.clear();
    App().language.reset();
    DropPendingMessages();
  }
  static void UsePlugins(const std::wstring& folder) {
    App().settings.plugin_folder_stored = true;
    App().settings.plugin_folder = ToU16(folder);
  }
  static std::u16string ToU16(const std::wstring& text) { return {text.begin(), text.end()}; }
  void Command(int command) { SendMessageW(view_, WM_COMMAND, command, 0); }

  WinTempDir dir_;
  HWND view_ = nullptr;
  HWND edit_ = nullptr;
};

TEST_F(PluginViewerTest, APluginPictureOpensAndTheFolderListTakesItsPatternsBesideTheBuiltIns) {
  dir_.Write(L"a.bmp", GreyBmp(10, 10, 1));
  const std::wstring picture = dir_.Write(L"b.ovu", EightBitPicture());
  dir_.Write(L"c.txt", {'x'});
  ASSERT_TRUE(OpenDocument(picture, 0));
  ApplicationState& app = App();
  EXPECT_EQ(app.current.header.width, 3);
  EXPECT_EQ(app.current.source_format, kSourcePlugin);
  ASSERT_EQ(app.file_list.count(), 2u);
  EXPECT_EQ(app.file_list.current(), 1u);
  Command(5702);  // previous: the BMP
  EXPECT_EQ(app.current.header.width, 10);
}

TEST_F(PluginViewerTest, AnEmptyStoredFolderSwitchesEveryPluginOffWhileNoValueUsesTheOnesBesideTheProgram) {
  const std::wstring picture = dir_.Write(L"b.ovt", EightBitPicture());
  UsePlugins(L"");
  EXPECT_TRUE(CurrentPluginPlaces().folder.empty());
  EXPECT_TRUE(CurrentPluginPatterns(true).empty());
  EXPECT_FALSE(OpenDocument(picture, 0));
  App().settings.plugin_folder_stored = false;
  const std::wstring beside = JoinPath(ProgramFolder(), L"plugins");
  const bool shipped = GetFileAttributesW(beside.c_str()) != INVALID_FILE_ATTRIBUTES;
  EXPECT_EQ(CurrentPluginPlaces().folder, shipped ? beside : L"");
}

TEST_F(PluginViewerTest, AnArchivePluginsArchiveStepsThroughItsMembersAndAZipMemberGoesToThePlugins) {
  UsePlugins(TestPlugins(L"archives"));
  const std::wstring archive = dir_.Write(
      L"set.ova", MakeTestArchive({{"b/two.bmp", 0, GreyBmp(12, 4, 9)}, {"one.bmp", 0, GreyBmp(11, 4, 9)},
                                   {"notes.txt", 0, {'x'}}}));
  ASSERT_TRUE(OpenDocument(archive, 0));
  ApplicationState& app = App();
  EXPECT_EQ(app.document.source_kind, SourceKind::kPluginArchive);
  ASSERT_EQ(app.file_list.count(), 2u);
  EXPECT_EQ(app.current.header.width, 11);
  Command(5703);
  EXPECT_EQ(app.current.header.width, 12);
  EXPECT_EQ(WindowText(OwnerWindow()).rfind(L"set.ova::b\\two.bmp", 0), 0u) << WindowText(OwnerWindow());

  UsePlugins(TestPlugins(L"images"));
  const std::wstring zip = dir_.Write(L"p.zip", MakeZip({{"pic.ovt", EightBitPicture(), 8}}).bytes);
  ASSERT_TRUE(OpenDocument(zip, 0));
  EXPECT_EQ(app.document.source_kind, SourceKind::kZip);
  EXPECT_EQ(app.current.header.width, 3);
}

}  // namespace
