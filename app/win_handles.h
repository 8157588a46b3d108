// Move-only owners for the Win32 handles the frame keeps.
#pragma once

#include <windows.h>

#include <utility>

template <typename Handle, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : handle_(h) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, Traits::Invalid()));
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Invalid(); }
  void reset(Handle h = Traits::Invalid()) {
    if (handle_ != Traits::Invalid()) Traits::Close(handle_);
    handle_ = h;
  }
  Handle release() { return std::exchange(handle_, Traits::Invalid()); }

 private:
  Handle handle_ = Traits::Invalid();
};

struct FontTraits {
  static HFONT Invalid() { return nullptr; }
  static void Close(HFONT h) { DeleteObject(h); }
};
struct BrushTraits {
  static HBRUSH Invalid() { return nullptr; }
  static void Close(HBRUSH h) { DeleteObject(h); }
};
struct ModuleTraits {
  static HMODULE Invalid() { return nullptr; }
  static void Close(HMODULE h) { FreeLibrary(h); }
};
struct AccelTraits {
  static HACCEL Invalid() { return nullptr; }
  static void Close(HACCEL h) { DestroyAcceleratorTable(h); }
};
struct HeapTraits {
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE h) { HeapDestroy(h); }
};

// Processes, threads, jobs, events: nothing is null.
struct KernelTraits {
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
// CreateFile's failure value is not null.
struct FileTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { CloseHandle(h); }
};

// The printer's device-mode and device-names blocks.
struct GlobalTraits {
  static HGLOBAL Invalid() { return nullptr; }
  static void Close(HGLOBAL h) { GlobalFree(h); }
};
// Device contexts the program created itself (printers, memory).
struct DcTraits {
  static HDC Invalid() { return nullptr; }
  static void Close(HDC h) { DeleteDC(h); }
};

using UniqueFont = UniqueHandle<HFONT, FontTraits>;
using UniqueGlobal = UniqueHandle<HGLOBAL, GlobalTraits>;
using UniqueDc = UniqueHandle<HDC, DcTraits>;
using UniqueBrush = UniqueHandle<HBRUSH, BrushTraits>;
using UniqueModule = UniqueHandle<HMODULE, ModuleTraits>;
using UniqueAccel = UniqueHandle<HACCEL, AccelTraits>;
using UniqueHeap = UniqueHandle<HANDLE, HeapTraits>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelTraits>;
using UniqueFile = UniqueHandle<HANDLE, FileTraits>;
