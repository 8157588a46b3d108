// unrar64.dll loaded for one operation, from the first of three places that
// holds a library with all four functions: the plug-in folder (where a user
// puts the real UnRAR library), the program's own folder (where ours lies),
// the system folder. A candidate that does not load or lacks a function is
// released and the next one tried.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "app/win_handles.h"
#include "rar/unrar_records_win.h"

struct UnrarFunctions {
  RarOpenArchiveExFn open = nullptr;
  RarReadHeaderExFn read_header = nullptr;
  RarProcessFileWFn process = nullptr;
  RarCloseArchiveFn close = nullptr;
};

class UnrarLibrary {
 public:
  // `plugin_folder` empty: none is configured.
  explicit UnrarLibrary(const std::wstring& plugin_folder);

  explicit operator bool() const { return static_cast<bool>(module_); }
  const UnrarFunctions& functions() const { return functions_; }
  // The file the library came from; empty when none loaded.
  const std::wstring& path() const { return path_; }

 private:
  bool TryLoad(const std::wstring& folder);

  UniqueModule module_;
  UnrarFunctions functions_;
  std::wstring path_;
};

// An archive opened through a loaded library, closed with the object.
class RarArchive {
 public:
  RarArchive(const UnrarFunctions& functions, const std::wstring& path, unsigned open_mode,
             UNRARCALLBACK callback, LPARAM user_data);
  ~RarArchive();
  RarArchive(const RarArchive&) = delete;
  RarArchive& operator=(const RarArchive&) = delete;

  explicit operator bool() const { return handle_ != nullptr; }
  // The ROADF_ flags the library reported on opening.
  uint32_t flags() const { return flags_; }

  int ReadHeader(RARHeaderDataEx* header) const { return functions_.read_header(handle_, header); }
  // RAR_SKIP or RAR_TEST: nothing is written to disk.
  int Process(int operation) const { return functions_.process(handle_, operation, nullptr, nullptr); }

 private:
  const UnrarFunctions& functions_;
  HANDLE handle_ = nullptr;
  uint32_t flags_ = 0;
};
