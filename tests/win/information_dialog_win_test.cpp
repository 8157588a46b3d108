// The information dialogs as the viewer shows them: 5041 is offered only
// for a file whose load found an Exif block or text chunks, and its list
// holds one row a present item, read from the file again.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <zlib.h>

#include <string>
#include <thread>
#include <vector>

#include "app/app_state.h"
#include "app/language_module_win.h"
#include "codecs/image_encoders.h"
#include "codecs/memory_sink.h"
#include "image/document_win.h"
#include "image/information_rows_win.h"
#include "tests/win/box_answer.h"
#include "tests/win/view_test_window.h"
#include "tests/win/win_test_files.h"
#include "tests/win/window_test_support.h"
#include "view/edit_window_win.h"

namespace {

using Bytes = std::vector<uint8_t>;

// An APP1 Exif segment whose first directory names the camera model.
Bytes ExifSegment(const std::string& model) {
  Bytes tiff = {'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0};                 // header, one entry
  const uint32_t count = uint32_t(model.size() + 1), at = 8 + 2 + 12 + 4;
  tiff.insert(tiff.end(), {0x10, 0x01, 2, 0});                       // 272 Model, ASCII
  for (uint32_t v : {count, at}) {
    for (int i = 0; i < 4; ++i) tiff.push_back(uint8_t(v >> (8 * i)));
  }
  tiff.insert(tiff.end(), {0, 0, 0, 0});                             // no IFD1
  tiff.insert(tiff.end(), model.begin(), model.end());
  tiff.push_back(0);
  Bytes segment = {0xFF, 0xE1, 0, 0, 'E', 'x', 'i', 'f', 0, 0};
  segment.insert(segment.end(), tiff.begin(), tiff.end());
  const size_t length = segment.size() - 2;
  segment[2] = uint8_t(length >> 8);
  segment[3] = uint8_t(length);
  return segment;
}

Bytes JpegWith(const Bytes& segment) {
  OwnedImage image;
  EXPECT_EQ(AllocatePixels(&image.record, 16, 12, 24), Status::kOk);
  SaveOptions options;
  options.type = kSaveJpeg;
  MemorySink sink;
  EXPECT_EQ(EncodeImage(image.record, options, &sink), Status::kOk);
  Bytes jpeg = sink.bytes();
  jpeg.insert(jpeg.begin() + 2, segment.begin(), segment.end());
  return jpeg;
}

std::wstring ItemText(HWND list, int row, int column) {
  wchar_t text[256] = {};
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 256;
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item), SMTO_NORMAL, 2000,
                      &ignored);
  return text;
}

// Reads the rows of the first dialog the UI thread shows, then closes it.
std::thread ReadDialogRows(DWORD ui_thread, int list_id, std::vector<std::wstring>* rows) {
  return std::thread([=] {
    using namespace box_answer_detail;
    for (int i = 0; i < 200; ++i) {
      BoxSearch search = {ui_thread, nullptr};
      EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
      if (search.found) {
        HWND list = GetDlgItem(search.found, list_id);
        DWORD_PTR count = 0;
        SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 2000, &count);
        for (int row = 0; row < int(count); ++row)
          rows->push_back(ItemText(list, row, 0) + L"=" + ItemText(list, row, 1));
        PostMessageW(search.found, WM_COMMAND, IDCANCEL, 0);
        return;
      }
      Sleep(25);
    }
  });
}

class InformationDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DropPendingMessages();
    std::wstring name;
    App().language.reset(LoadLanguageModule(L"English", &name));
    view_ = CreateTestViewWindow(400, 60, 420, 340);
    ASSERT_NE(view_, nullptr);
    edit_ = CreateEditWindow(App().instance);
    ASSERT_NE(edit_, nullptr);
  }
  void TearDown() override {
    DestroyTestViewWindows(view_, edit_);
    App().language.reset();
    DropPendingMessages();
  }
  std::vector<std::wstring> RowsOf5041(int list_id) {
    std::vector<std::wstring> rows;
    std::thread reader = ReadDialogRows(GetCurrentThreadId(), list_id, &rows);
    SendMessageW(view_, WM_COMMAND, 5041, 0);
    reader.join();
    return rows;
  }

  WinTempDir dir_;
  HWND view_ = nullptr;
  HWND edit_ = nullptr;
};

TEST_F(InformationDialogTest, TheExifDialogListsTheCameraModelReadFromTheFile) {
  ASSERT_TRUE(OpenDocument(dir_.Write(L"camera.jpg", JpegWith(ExifSegment("Ovira Cam 7"))), 0));
  EXPECT_EQ(App().document.load.information_count, 1);
  EXPECT_EQ(RowsOf5041(4041), std::vector<std::wstring>{L"Model=Ovira Cam 7"});
}

TEST_F(InformationDialogTest, TheTextDialogListsKeywordsAndTexts) {
  // A PNG with two text chunks, written by hand after our own encoder's file.
  OwnedImage image;
  ASSERT_EQ(AllocatePixels(&image.record, 4, 4, 24), Status::kOk);
  SaveOptions options;
  options.type = kSavePng;
  MemorySink sink;
  ASSERT_EQ(EncodeImage(image.record, options, &sink), Status::kOk);
  Bytes png = sink.bytes();
  Bytes chunks;
  for (const std::string& pair : {std::string("Author\0A. Person", 16), std::string("Title\0Dunes", 11)}) {
    Bytes chunk = {0, 0, 0, uint8_t(pair.size()), 't', 'E', 'X', 't'};
    chunk.insert(chunk.end(), pair.begin(), pair.end());
    const uint32_t crc = uint32_t(crc32(0, chunk.data() + 4, uInt(chunk.size() - 4)));
    for (int i = 3; i >= 0; --i) chunk.push_back(uint8_t(crc >> (8 * i)));
    chunks.insert(chunks.end(), chunk.begin(), chunk.end());
  }
  png.insert(png.begin() + 33, chunks.begin(), chunks.end());  // after the signature and IHDR
  ASSERT_TRUE(OpenDocument(dir_.Write(L"texts.png", png), 0));
  EXPECT_EQ(App().document.load.information_count, 2);
  EXPECT_EQ(RowsOf5041(4021), (std::vector<std::wstring>{L"Author=A. Person", L"Title=Dunes"}));
}

TEST(InformationRows, CopiedAsTabSeparatedLines) {
  EXPECT_EQ(RowsAsText({{L"Make", L"Ovira"}, {L"Model", L"7"}}), L"Make\tOvira\r\nModel\t7\r\n");
}

}  // namespace
