// Opening images inside ZIP archives through the viewer's own open
// sequence: the member list, its order, the title, stepping, an archive
// that is really an image, a member that fails, and an archive rewritten
// while the viewer was away.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/language_module_win.h"
#include "image/archive_list_win.h"
#include "image/document_win.h"
#include "image/open_filters_win.h"
#include "tests/unit/zip_maker.h"
#include "tests/win/box_answer.h"
#include "tests/win/view_test_window.h"
#include "tests/win/win_test_files.h"
#include "tests/win/window_test_support.h"
#include "view/edit_window_win.h"

namespace {

MadeMember Bmp(const std::string& name, int width, uint8_t level, uint16_t method = 8) {
  return {name, GreyBmp(width, 20, level), method};
}

class ArchiveOpenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DropPendingMessages();
    ApplicationState& app = App();
    std::wstring name;
    app.language.reset(LoadLanguageModule(L"English", &name));
    app.settings.file_list_order = 0;
    view_ = CreateTestViewWindow(400, 60, 420, 340);
    ASSERT_NE(view_, nullptr);
    edit_ = CreateEditWindow(app.instance);
    ASSERT_NE(edit_, nullptr);
  }
  void TearDown() override {
    DestroyTestViewWindows(view_, edit_);
    App().language.reset();
    DropPendingMessages();
  }
  std::wstring WriteZip(const std::wstring& name, const std::vector<MadeMember>& members) {
    return dir_.Write(name, MakeZip(members).bytes);
  }
  // photos.zip: a text member the list leaves out, then a stored and two
  // deflated images in an order the list does not keep.
  static std::vector<MadeMember> PhotoMembers() {
    return {{"notes.txt", {'h', 'i'}, 0}, Bmp("a/y.bmp", 31, 90), Bmp("z.bmp", 32, 10, 0),
            Bmp("a/x.bmp", 33, 50)};
  }
  std::wstring Photos() { return WriteZip(L"photos.zip", PhotoMembers()); }
  std::wstring Title() const { return WindowText(OwnerWindow()); }
  int Width() const { return App().current.header.width; }
  void Command(int command) { SendMessageW(view_, WM_COMMAND, command, 0); }

  WinTempDir dir_;
  HWND view_ = nullptr;
  HWND edit_ = nullptr;
};

TEST_F(ArchiveOpenTest, ListsTheImageMembersTopLevelFirstAndStepsThroughThemWithTheirPaths) {
  ASSERT_TRUE(OpenDocument(Photos(), 0));
  ApplicationState& app = App();
  EXPECT_EQ(app.document.source_kind, SourceKind::kZip);
  ASSERT_EQ(app.file_list.count(), 3u);
  EXPECT_EQ(app.file_list.entries()[0].name, u"z.bmp");
  EXPECT_EQ(app.file_list.entries()[1].folder, u"a");
  EXPECT_EQ(app.file_list.entries()[1].name, u"x.bmp");
  EXPECT_EQ(app.file_list.entries()[2].name, u"y.bmp");
  EXPECT_EQ(Width(), 32);
  EXPECT_EQ(Title().rfind(L"photos.zip::z.bmp  (", 0), 0u) << Title();

  Command(5703);  // next
  EXPECT_EQ(Width(), 33);
  EXPECT_EQ(Title().rfind(L"photos.zip::a\\x.bmp  (", 0), 0u) << Title();
  Command(5703);
  EXPECT_EQ(Width(), 31);
  Command(5703);  // the last member: nothing moves
  EXPECT_EQ(app.file_list.current(), 2u);
  Command(5700);  // first
  EXPECT_EQ(Width(), 32);
  // The archive's path stays the document's; saving over it is not offered.
  EXPECT_EQ(app.document.path, dir_.path() + L"\\photos.zip");
  EXPECT_EQ(app.document.name, L"z.bmp");
}

TEST_F(ArchiveOpenTest, AKeySelectsItsMemberAndOpeningTheSameArchiveAgainKeepsItsList) {
  const std::wstring zip = Photos();
  const MadeZip made = MakeZip(PhotoMembers());
  const int key_of_y = static_cast<int>(made.local_offsets[1]);
  const int key_of_x = static_cast<int>(made.local_offsets[3]);
  ASSERT_TRUE(OpenDocument(zip, key_of_x));
  EXPECT_EQ(Width(), 33);
  // The same archive again, in other letter case: the list is not read
  // again, the key picks the entry, and without a key the first one shows.
  std::wstring upper = zip;
  upper.replace(upper.size() - 10, 10, L"PHOTOS.ZIP");
  ASSERT_TRUE(OpenDocument(upper, key_of_y));
  EXPECT_EQ(Width(), 31);
  ASSERT_TRUE(OpenDocument(zip, 0));
  EXPECT_EQ(Width(), 32);
}

TEST_F(ArchiveOpenTest, AnImageNamedLikeAnArchiveOpensAsTheImageItIs) {
  const std::wstring file = dir_.Write(L"x.zip", GreyBmp(27, 20, 200));
  dir_.Write(L"w.bmp", GreyBmp(26, 20, 100));
  ASSERT_TRUE(OpenDocument(file, 0));
  ApplicationState& app = App();
  EXPECT_EQ(app.document.source_kind, SourceKind::kFile);
  EXPECT_EQ(Width(), 27);
  EXPECT_EQ(Title().rfind(L"x.zip  (", 0), 0u) << Title();
  // The folder is listed as for any file (x.zip itself is no image name).
  ASSERT_EQ(app.file_list.count(), 1u);
  EXPECT_EQ(app.file_list.entries()[0].name, u"w.bmp");
}

TEST_F(ArchiveOpenTest, AnArchiveWithoutImagesOrWithOnlyUnreadableMembersIsNoArchive) {
  const std::wstring texts = WriteZip(L"texts.zip", {{"a.txt", {'a'}, 0}});
  EXPECT_FALSE(OpenDocument(texts, 0));
  EXPECT_EQ(App().document.source_kind, SourceKind::kFile);
  const std::wstring bzip = WriteZip(L"bzip.zip", {Bmp("a.bmp", 20, 1, 12)});
  EXPECT_FALSE(OpenDocument(bzip, 0));
  EXPECT_EQ(App().document.source_kind, SourceKind::kFile);
  EXPECT_EQ(App().current.pixels, nullptr);
}

TEST_F(ArchiveOpenTest, AMemberThatFailsKeepsTheArchiveSoTheNextOneIsAKeyAway) {
  MadeZip made = MakeZip({Bmp("a.bmp", 21, 1, 0), Bmp("b.bmp", 22, 2, 0)});
  made.bytes[made.local_offsets[0] + 30 + 5 + 100] ^= 0xFF;  // a.bmp's CRC no longer holds
  const std::wstring zip = dir_.Write(L"broken.zip", made.bytes);
  EXPECT_FALSE(OpenDocument(zip, 0));
  ApplicationState& app = App();
  EXPECT_EQ(app.document.source_kind, SourceKind::kZip);
  EXPECT_EQ(app.file_list.count(), 2u);
  EXPECT_EQ(Title().rfind(L"broken.zip::a.bmp", 0), 0u) << Title();
  Command(5703);
  EXPECT_EQ(Width(), 22);
}

TEST_F(ArchiveOpenTest, AnArchiveRewrittenMeanwhileIsListedAgainWithTheShownMemberKept) {
  const std::wstring zip = WriteZip(L"set.zip", {Bmp("b.bmp", 22, 2), Bmp("c.bmp", 23, 3)});
  ASSERT_TRUE(OpenDocument(zip, 0));
  Command(5703);
  ASSERT_EQ(Width(), 23);
  // A new member in front moves every other member's key.
  dir_.Write(L"set.zip", MakeZip({Bmp("a.bmp", 21, 1), Bmp("b.bmp", 22, 2), Bmp("c.bmp", 23, 3)}).bytes);
  HANDLE file = CreateFileW(zip.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  FILETIME later = {0, 0x01E00000};
  SetFileTime(file, nullptr, nullptr, &later);
  CloseHandle(file);
  CheckArchiveForChange();
  ApplicationState& app = App();
  ASSERT_EQ(app.file_list.count(), 3u);
  EXPECT_EQ(app.file_list.CurrentEntry()->name, u"c.bmp");
  Command(5702);  // previous
  EXPECT_EQ(Width(), 22);
}

TEST_F(ArchiveOpenTest, TheOpenDialogOffersZipAndRarArchives) {
  // Without plug-ins, whose patterns would come between.
  App().settings.plugin_folder_stored = true;
  std::wstring filters = OpenDialogFilters();
  App().settings.plugin_folder_stored = false;
  for (wchar_t& c : filters) {
    if (c == L'\0') c = L'|';
  }
  EXPECT_NE(filters.find(L"|*.bmp;*.png;*.jpg;*.jpe;*.jpeg;*.tif;*.tiff;*.gif;*.zip;*.rar|"),
            std::wstring::npos)
      << filters;
  EXPECT_NE(filters.find(L"ZIP archives|*.zip|RAR archives|*.rar|All files (*.*)|*.*||"),
            std::wstring::npos)
      << filters;
}

}  // namespace
