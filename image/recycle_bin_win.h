// Moving a file to the recycle bin through the shell.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

// Never asks for confirmation; `flags` adds how failures are shown. False
// when the shell did not move the file.
bool MoveToRecycleBin(HWND owner, const std::wstring& path, FILEOP_FLAGS flags);
