#include "view/button_images_win.h"

#include <commctrl.h>

#include "app/app_state.h"

namespace {

constexpr int kNormalImages = 300;
constexpr int kHotImages = 301;
constexpr int kImageSize = 16;
constexpr COLORREF kMaskColour = RGB(0xFF, 0x00, 0xFF);  // shows through

HIMAGELIST LoadImages(int id) {
  return ImageList_LoadImageW(App().instance, MAKEINTRESOURCEW(id), kImageSize, 0, kMaskColour,
                              IMAGE_BITMAP, LR_CREATEDIBSECTION);
}

}  // namespace

void AttachButtonImages(HWND tool_bar) {
  SendMessageW(tool_bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(LoadImages(kNormalImages)));
  SendMessageW(tool_bar, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(LoadImages(kHotImages)));
}

void DetachButtonImages(HWND tool_bar) {
  for (UINT message : {TB_SETIMAGELIST, TB_SETHOTIMAGELIST}) {
    auto old = reinterpret_cast<HIMAGELIST>(SendMessageW(tool_bar, message, 0, 0));
    if (old) ImageList_Destroy(old);
  }
}
