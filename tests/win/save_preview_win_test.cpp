// A save preview's temporary file stands in for the save while the options
// it was made with still hold; otherwise every save encodes afresh.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/app_state.h"
#include "app/language_module_win.h"
#include "codecs/image_decoders.h"
#include "image/document_save_win.h"
#include "image/document_win.h"
#include "image/save_preview_win.h"
#include "tests/win/win_test_files.h"

namespace {

std::vector<char> Bytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

// The first pixel of a saved file, 0x00RRGGBB; 0xFFFFFFFF when it cannot be read.
uint32_t FirstPixelOf(const std::wstring& path) {
  ImageBuffer image{};
  FormatCode format = kFormatUnknown;
  if (DecodeImageFile(path.c_str(), &image, &format) != Status::kOk) return 0xFFFFFFFF;
  const uint8_t* bgr = RowFromTop(image, 0);
  uint32_t colour = uint32_t(bgr[2]) << 16 | uint32_t(bgr[1]) << 8 | bgr[0];
  ReleasePixels(&image);
  return colour;
}

bool PutImageOnClipboard(const ImageBuffer& image) {
  BITMAPINFOHEADER header = {sizeof(BITMAPINFOHEADER), image.header.width, image.header.height,
                             1, 24, BI_RGB};
  size_t pixels = size_t(Stride(image)) * image.header.height;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(header) + pixels);
  if (!memory) return false;
  auto* target = static_cast<uint8_t*>(GlobalLock(memory));
  std::memcpy(target, &header, sizeof(header));
  std::memcpy(target + sizeof(header), image.pixels, pixels);
  GlobalUnlock(memory);
  if (!OpenClipboard(nullptr)) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  bool put = SetClipboardData(CF_DIB, memory) != nullptr;
  if (!put) GlobalFree(memory);
  CloseClipboard();
  return put;
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
    app.modified = false;
    app.document = {};
    app.file_list.Clear();
    app.language.reset();
  }
  // Two one-colour BMPs side by side in `dir`, written by the program itself.
  void WriteTwoImages(WinTempDir& dir, std::wstring* first, std::wstring* second) {
    *first = dir.File(L"a.bmp");
    *second = dir.File(L"b.bmp");
    Paint(0x102030);
    ASSERT_TRUE(SaveDocumentTo(*first, 0));
    Paint(0xA0B0C0);
    ASSERT_TRUE(SaveDocumentTo(*second, 0));
  }
  void Paint(uint32_t colour) {
    const ImageBuffer& image = App().current;
    for (int y = 0; y < image.header.height; ++y) {
      uint8_t* row = RowFromTop(image, y);
      for (int x = 0; x < image.header.width; ++x) {
        row[3 * x] = uint8_t(colour);
        row[3 * x + 1] = uint8_t(colour >> 8);
        row[3 * x + 2] = uint8_t(colour >> 16);
      }
    }
  }
  // The previewed image is a.bmp; every check then saves what is current.
  void PreviewFirstImage(const std::wstring& first) {
    ASSERT_TRUE(OpenDocument(first, 0));
    ASSERT_TRUE(MakeSavePreview());
    preview_ = App().document.temporary.path;
    ASSERT_FALSE(preview_.empty());
  }
  void ExpectPreviewDiscarded() {
    EXPECT_TRUE(App().document.temporary.path.empty()) << "the preview went with its image";
    EXPECT_EQ(GetFileAttributesW(preview_.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(App().result.pixels, nullptr);
  }
  std::wstring preview_;
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

TEST_F(SavePreview, StepToAnotherImageThenSaveWritesThatImage) {
  WinTempDir dir;
  std::wstring first, second;
  WriteTwoImages(dir, &first, &second);
  PreviewFirstImage(first);
  ASSERT_TRUE(OpenListEntry(1));
  ASSERT_EQ(App().document.name, L"b.bmp");
  ExpectPreviewDiscarded();
  ASSERT_TRUE(SaveDocument());
  EXPECT_EQ(FirstPixelOf(second), 0xA0B0C0u) << "b.bmp keeps its own pixels";
  std::wstring copy = dir.File(L"copy.bmp");
  ASSERT_TRUE(SaveDocumentTo(copy, 0));
  EXPECT_EQ(FirstPixelOf(copy), 0xA0B0C0u);
}

TEST_F(SavePreview, OpeningAnImageThatFailsDiscardsThePreview) {
  WinTempDir dir;
  std::wstring first, second;
  WriteTwoImages(dir, &first, &second);
  PreviewFirstImage(first);
  std::wstring broken = dir.Write(L"broken.bmp", {'B', 'M', 0, 0});
  EXPECT_FALSE(OpenDocument(broken, 0));
  ExpectPreviewDiscarded();
}

TEST_F(SavePreview, ReloadingDiscardsThePreview) {
  WinTempDir dir;
  std::wstring first, second;
  WriteTwoImages(dir, &first, &second);
  PreviewFirstImage(first);
  ASSERT_TRUE(RunDocumentCommand(5011));  // reload
  ExpectPreviewDiscarded();
}

TEST_F(SavePreview, PastingDiscardsThePreview) {
  WinTempDir dir;
  std::wstring first, second;
  WriteTwoImages(dir, &first, &second);  // the current pixels are b's colour now
  ASSERT_TRUE(PutImageOnClipboard(App().current));
  PreviewFirstImage(first);
  ASSERT_TRUE(RunDocumentCommand(5031));  // paste
  ExpectPreviewDiscarded();
  std::wstring pasted = dir.File(L"pasted.bmp");
  ASSERT_TRUE(SaveDocumentTo(pasted, 0));
  EXPECT_EQ(FirstPixelOf(pasted), 0xA0B0C0u);
}

}  // namespace
