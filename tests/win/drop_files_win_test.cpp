// Files dropped on the viewer: the first one opens here.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <vector>

#include "app/app_state.h"
#include "app/drop_files_win.h"
#include "codecs/image_encoders.h"
#include "tests/win/win_test_files.h"

namespace {

// The memory block the shell hands over with WM_DROPFILES.
HDROP MakeDrop(const std::vector<std::wstring>& paths) {
  size_t chars = 1;
  for (const std::wstring& p : paths) chars += p.size() + 1;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  auto* names = reinterpret_cast<wchar_t*>(drop + 1);
  for (const std::wstring& p : paths) {
    std::memcpy(names, p.c_str(), p.size() * sizeof(wchar_t));
    names += p.size() + 1;
  }
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

TEST(DropFiles, TheFirstDroppedImageOpensHere) {
  ApplicationState& app = App();
  app.view_window = nullptr;
  app.exe_path.clear();  // further files would start viewers of their own
  WinTempDir dir;
  std::wstring picture = dir.File(L"dropped.bmp");
  ImageBuffer image{};
  ResetImageBuffer(&image);
  ASSERT_EQ(AllocatePixels(&image, 4, 3, 24), Status::kOk);
  SaveOptions bmp;
  ASSERT_EQ(EncodeImageFile(image, bmp, picture.c_str()), Status::kOk);
  ReleasePixels(&image);

  HandleDroppedFiles(MakeDrop({picture}));
  EXPECT_EQ(app.document.path, picture);
  EXPECT_EQ(app.document.name, L"dropped.bmp");
  EXPECT_EQ(app.current.header.width, 4);
  ASSERT_NE(app.current.pixels, nullptr);

  // A folder dropped first opens nothing and keeps the image shown.
  HandleDroppedFiles(MakeDrop({dir.path()}));
  EXPECT_EQ(app.document.path, picture);
  ReleasePixels(&app.current);
  ResetImageBuffer(&app.current);
}

}  // namespace
