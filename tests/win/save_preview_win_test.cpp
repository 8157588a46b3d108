// A save preview's temporary file stands in for the save while the options
// it was made with still hold; otherwise every save encodes afresh.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "app/app_state.h"
#include "app/language_module_win.h"
#include "image/document_save_win.h"
#include "tests/win/win_test_files.h"

namespace {

std::vector<char> Bytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

class SavePreview : public ::testing::Test {
 protected:
  void SetUp() override {
    ApplicationState& app = App();
    std::wstring name;
    app.language.reset(LoadLanguageModule(L"English", &name));
    app.view_window = nullptr;
    app.list_window = nullptr;
    app.settings.save_type = 0;
    app.settings.save_bmp_depth = 24;
    app.settings.save_dither = 0;
    ResetImageBuffer(&app.current);
    ASSERT_EQ(AllocatePixels(&app.current, 3, 2, 24), Status::kOk);
    RowFromTop(app.current, 0)[0] = 0x7F;
  }
  void TearDown() override {
    ApplicationState& app = App();
    DiscardSavePreview();
    ReleasePixels(&app.current);
    app.language.reset();
  }
};

TEST_F(SavePreview, SavesCopyThePreviewedFileWhileTheOptionsHold) {
  WinTempDir dir;
  ASSERT_TRUE(MakeSavePreview());
  std::wstring preview = App().document.temporary.path;
  ASSERT_FALSE(preview.empty());
  EXPECT_NE(App().result.pixels, nullptr) << "the preview is decoded into the result record";

  std::wstring first = dir.File(L"first.bmp"), second = dir.File(L"second.bmp");
  ASSERT_TRUE(SaveDocumentTo(first, 0));
  ASSERT_TRUE(SaveDocumentTo(second, 0));
  EXPECT_EQ(GetFileAttributesW(preview.c_str()) != INVALID_FILE_ATTRIBUTES, true)
      << "the preview's file is kept for later saves";
  EXPECT_EQ(Bytes(first), Bytes(preview));
  EXPECT_EQ(Bytes(second), Bytes(preview));

  // Other options: a fresh encoding, the preview file left as it was.
  App().settings.save_bmp_depth = 8;
  std::wstring third = dir.File(L"third.bmp");
  ASSERT_TRUE(SaveDocumentTo(third, 0));
  EXPECT_NE(Bytes(third), Bytes(preview));

  DiscardSavePreview();
  EXPECT_EQ(GetFileAttributesW(preview.c_str()), INVALID_FILE_ATTRIBUTES)
      << "discarding the preview deletes its file";
  EXPECT_EQ(App().result.pixels, nullptr);
}

TEST_F(SavePreview, SavingOverAFileLeavesNoStagedCopyBehind) {
  WinTempDir dir;
  std::wstring target = dir.File(L"photo.bmp");
  ASSERT_TRUE(SaveDocumentTo(target, 0));
  App().settings.save_bmp_depth = 8;
  ASSERT_TRUE(SaveDocumentTo(target, 0));
  std::vector<char> bytes = Bytes(target);
  ASSERT_GT(bytes.size(), 30u);
  EXPECT_EQ(bytes[28], 8) << "the second save replaced the first";
  EXPECT_EQ(GetFileAttributesW((target + L".ovira-new").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
