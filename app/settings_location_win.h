// Where the settings file lives: beside the program when a file of that name
// is there (a portable copy), otherwise in the user's application-data folder.
#pragma once

#include <string>

inline constexpr wchar_t kSettingsFileName[] = L"Ovira.ini";

// Joins with one backslash, not doubling one that `folder` already ends with.
// The folder Ovira.exe (or the test program) runs from; empty when unknown.
std::wstring ProgramFolder();

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

// Whether the path names an existing file, or an existing folder.
bool IsFile(const std::wstring& path);
bool IsFolder(const std::wstring& path);

// Also makes the program's folder the current directory, so the language
// module and relative paths resolve there. Empty when no location can be
// established.
std::wstring EstablishSettingsPath(std::wstring* exe_path);
