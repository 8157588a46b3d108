// Scratch folder for Windows tests, removed with its files.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class WinTempDir {
 public:
  WinTempDir() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    for (unsigned n = GetTickCount(); path_.empty(); ++n) {
      std::wstring candidate = std::wstring(base) + L"ovira-test-" + std::to_wstring(n);
      if (CreateDirectoryW(candidate.c_str(), nullptr)) path_ = candidate;
    }
  }
  ~WinTempDir() {
    for (const std::wstring& f : files_) DeleteFileW(f.c_str());
    RemoveDirectoryW(path_.c_str());
  }
  WinTempDir(const WinTempDir&) = delete;
  WinTempDir& operator=(const WinTempDir&) = delete;

  const std::wstring& path() const { return path_; }
  std::wstring File(const std::wstring& name) {
    files_.push_back(path_ + L"\\" + name);
    return files_.back();
  }
  std::wstring Write(const std::wstring& name, const std::vector<uint8_t>& bytes) {
    std::wstring file = File(name);
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    if (!bytes.empty()) WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(h);
    return file;
  }

 private:
  std::wstring path_;
  std::vector<std::wstring> files_;
};
