// The exports every image plug-in of ours shares: the viewer's calls
// answered from one portable decoding core (PluginCore()). A file is read
// whole from the header offset the viewer chose; the bitmap goes back in
// two local memory blocks that the viewer frees.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "plugins/spi/spi_functions_win.h"
#include "plugins/spi/spi_image_core.h"

namespace {

// Files beyond this are no pictures any core of ours reads.
constexpr LONGLONG kLargestFile = LONGLONG(1) << 30;
constexpr size_t kHeadBytes = 2048;

bool ReadFileFrom(const char* name, intptr_t offset, std::vector<uint8_t>* bytes) {
  HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size = {};
  LARGE_INTEGER start = {};
  start.QuadPart = offset;
  bool read = GetFileSizeEx(file, &size) && offset >= 0 && size.QuadPart >= offset &&
              size.QuadPart - offset <= kLargestFile &&
              SetFilePointerEx(file, start, nullptr, FILE_BEGIN);
  if (read) {
    bytes->resize(static_cast<size_t>(size.QuadPart - offset));
    DWORD got = 0;
    read = bytes->empty() ||
           (ReadFile(file, bytes->data(), DWORD(bytes->size()), &got, nullptr) && got == bytes->size());
  }
  CloseHandle(file);
  return read;
}

// The input of GetPicture and GetPictureInfo: a file from an offset, or a
// block of memory of a length.
bool InputBytes(const char* input, intptr_t length, unsigned flag, std::vector<uint8_t>* bytes) {
  if ((flag & 7) == kSpiInputMemory) {
    if (!input || length < 0) return false;
    bytes->assign(reinterpret_cast<const uint8_t*>(input),
                  reinterpret_cast<const uint8_t*>(input) + length);
    return true;
  }
  return input && ReadFileFrom(input, length, bytes);
}

HLOCAL LocalCopy(const std::vector<uint8_t>& bytes) {
  HLOCAL block = LocalAlloc(LMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
  if (!block) return nullptr;
  void* at = LocalLock(block);
  if (!at) {
    LocalFree(block);
    return nullptr;
  }
  if (!bytes.empty()) std::memcpy(at, bytes.data(), bytes.size());
  LocalUnlock(block);
  return block;
}

int Decode(const char* input, intptr_t length, unsigned flag, PluginDib* dib) {
  std::vector<uint8_t> bytes;
  if (!InputBytes(input, length, flag, &bytes)) return kSpiReadError;
  if (!PluginCore().decode(bytes.data(), bytes.size(), dib)) return kSpiUnknownFormat;
  return kSpiOk;
}

int32_t HeaderField(const PluginDib& dib, size_t at) {
  int32_t value = 0;
  if (dib.info.size() >= at + 4) std::memcpy(&value, dib.info.data() + at, 4);
  return value;
}

}  // namespace

extern "C" {

__declspec(dllexport) int WINAPI GetPluginInfo(int index, char* buffer, int buffer_size) {
  const SpiImageCore& core = PluginCore();
  if (index < 0 || size_t(index) >= core.info_count || !buffer || buffer_size <= 0) return 0;
  const char* text = core.info[index];
  const int length = static_cast<int>(std::strlen(text));
  const int copied = length < buffer_size ? length : buffer_size - 1;
  std::memcpy(buffer, text, size_t(copied));
  buffer[copied] = '\0';
  return copied;
}

__declspec(dllexport) int WINAPI IsSupported(const char*, void* head) {
  return head && PluginCore().accepts(static_cast<const uint8_t*>(head), kHeadBytes) ? 1 : 0;
}

__declspec(dllexport) int WINAPI GetPictureInfo(const char* input, intptr_t length, unsigned flag,
                                                SpiPictureInfo* info) {
  if (!info) return kSpiInternalError;
  PluginDib dib;
  const int result = Decode(input, length, flag, &dib);
  if (result != kSpiOk) return result;
  *info = {};
  info->width = HeaderField(dib, 4);
  info->height = HeaderField(dib, 8);
  info->colour_depth = static_cast<int16_t>(dib.info.size() >= 16 ? dib.info[14] : 0);
  return kSpiOk;
}

__declspec(dllexport) int WINAPI GetPicture(const char* input, intptr_t length, unsigned flag,
                                            HLOCAL* bitmap_info, HLOCAL* bitmap_bits,
                                            SpiProgress progress, intptr_t data) {
  if (!bitmap_info || !bitmap_bits) return kSpiInternalError;
  *bitmap_info = *bitmap_bits = nullptr;
  if (progress && progress(0, 1, data)) return kSpiCancelled;
  PluginDib dib;
  const int result = Decode(input, length, flag, &dib);
  if (result != kSpiOk) return result;
  *bitmap_info = LocalCopy(dib.info);
  *bitmap_bits = LocalCopy(dib.bits);
  if (!*bitmap_info || !*bitmap_bits) {
    if (*bitmap_info) LocalFree(*bitmap_info);
    if (*bitmap_bits) LocalFree(*bitmap_bits);
    *bitmap_info = *bitmap_bits = nullptr;
    return kSpiNoMemory;
  }
  if (progress) progress(1, 1, data);
  return kSpiOk;
}

// Our plug-ins have nothing to set: the dialog says so.
__declspec(dllexport) int WINAPI ConfigurationDlg(HWND owner, int function) {
  if (function != 1) return kSpiNotImplemented;
  const SpiImageCore& core = PluginCore();
  std::string text = core.info_count > 3 ? core.info[3] : "This plug-in";
  text += " has no settings.";
  MessageBoxA(owner, text.c_str(), core.info_count > 1 ? core.info[1] : "Plug-in",
              MB_OK | MB_ICONINFORMATION);
  return kSpiOk;
}

}  // extern "C"
