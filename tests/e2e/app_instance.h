// One copy of Ovira.exe started in a private folder with its own settings
// file, as a user would have it after unpacking the program.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class AppInstance {
 public:
  // bin_dir holds Ovira.exe and English.dll.
  explicit AppInstance(std::wstring bin_dir);
  ~AppInstance();
  AppInstance(const AppInstance&) = delete;
  AppInstance& operator=(const AppInstance&) = delete;

  // Copies the program and writes Ovira.ini with the given bytes (an empty
  // vector writes an empty file). False when the folder cannot be prepared.
  bool Prepare(const std::vector<uint8_t>& settings, bool with_language = true);
  std::wstring settings_path() const { return folder_ + L"\\Ovira.ini"; }
  bool Start(const std::wstring& arguments = L"");

  // The process's visible top-level window of this class (any, when
  // visible_only is false), waiting up to timeout_ms. A window counts once
  // it is shown, so its title and contents are in place.
  HWND WaitForWindow(const wchar_t* class_name, DWORD timeout_ms = 10000,
                     bool visible_only = true) const;
  // Exit code, or -1 when the process did not end in time.
  long WaitForExit(DWORD timeout_ms = 5000) const;

  const std::wstring& folder() const { return folder_; }
  DWORD process_id() const { return process_.dwProcessId; }

 private:
  std::wstring bin_dir_;
  std::wstring folder_;
  PROCESS_INFORMATION process_ = {};
};

std::wstring WindowClassName(HWND window);
// View windows of every running copy whose program lies in this folder.
std::vector<HWND> ViewersStartedFrom(const std::wstring& folder);
std::wstring WindowTitle(HWND window);
