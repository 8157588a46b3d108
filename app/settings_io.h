// A minimal positioned-I/O file handle for the settings file.
//
// The settings reader and writer only ever need "read/write these bytes at
// this offset", the file size and truncation, so this is all the platform
// layer offers. One implementation per platform: settings_io_win.cpp
// (Win32) and settings_io_posix.cpp (POSIX, used by the native unit tests).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "image/path.h"


class SettingsFile {
 public:
  SettingsFile() = default;
  ~SettingsFile();
  SettingsFile(SettingsFile&& other) noexcept;
  SettingsFile& operator=(SettingsFile&& other) noexcept;
  SettingsFile(const SettingsFile&) = delete;
  SettingsFile& operator=(const SettingsFile&) = delete;

  // Opens an existing file for reading; other readers may open it too.
  bool OpenForReading(const PathChar* path);
  // Opens for reading and writing, creating the file when missing. On Windows
  // nobody else may open the file meanwhile; POSIX cannot enforce that.
  bool OpenForUpdate(const PathChar* path);
  void Close();
  bool IsOpen() const;

  bool GetSize(uint64_t* size) const;
  // Both return the number of bytes transferred; fewer than asked means end
  // of file or an error, and callers treat the two alike.
  size_t ReadAt(uint64_t offset, void* buffer, size_t length) const;
  size_t WriteAt(uint64_t offset, const void* buffer, size_t length);
  bool Truncate(uint64_t size);

 private:
#ifdef _WIN32
  void* handle_ = nullptr;  // HANDLE; nullptr when closed
#else
  int fd_ = -1;
#endif
};
