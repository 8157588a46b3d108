#include "codecs/bmp_clipboard_win.h"

#include "app/app_state.h"
#include "codecs/packed_dib.h"

namespace {

HANDLE PrivateHeap() {
  ApplicationState& app = App();
  return app.heap ? app.heap.get() : GetProcessHeap();
}

// Holds the clipboard open, and the bitmap's memory locked, while it is read.
class OpenClipboardBitmap {
 public:
  explicit OpenClipboardBitmap(HWND owner) {
    if (!IsClipboardFormatAvailable(CF_DIB) || !OpenClipboard(owner)) return;
    opened_ = true;
    memory_ = GetClipboardData(CF_DIB);
    if (memory_) data_ = static_cast<const uint8_t*>(GlobalLock(memory_));
    // The clipboard's own record of the size is the only bound on reading.
    if (data_) size_ = GlobalSize(memory_);
  }
  ~OpenClipboardBitmap() {
    if (data_) GlobalUnlock(memory_);
    if (opened_) CloseClipboard();
  }
  OpenClipboardBitmap(const OpenClipboardBitmap&) = delete;
  OpenClipboardBitmap& operator=(const OpenClipboardBitmap&) = delete;

  const uint8_t* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  bool opened_ = false;
  HANDLE memory_ = nullptr;
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace

bool ReadClipboardBitmap(HWND owner, ImageBuffer* target) {
  OpenClipboardBitmap bitmap(owner);
  if (!bitmap.data()) return false;
  return ReadPackedDib(bitmap.data(), bitmap.size(), target) == Status::kOk;
}

ImageBuffer* ReadClipboardBitmapNew(HWND owner) {
  void* memory = HeapAlloc(PrivateHeap(), HEAP_ZERO_MEMORY, sizeof(ImageBuffer));
  if (!memory) return nullptr;
  ImageBuffer* image = static_cast<ImageBuffer*>(memory);
  if (ReadClipboardBitmap(owner, image)) return image;
  HeapFree(PrivateHeap(), 0, memory);
  return nullptr;
}

void FreeClipboardBitmap(ImageBuffer* image) {
  if (!image) return;
  ReleasePixels(image);
  HeapFree(PrivateHeap(), 0, image);
}
