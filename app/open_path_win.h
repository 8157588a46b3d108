// Opening a path that came from outside: the command line, a second start or
// a dropped file.
#pragma once

#include <string>

// The path must exist; unsaved changes are settled first (cancel stops);
// a shortcut is replaced by its target; a folder is not opened.
bool OpenPathFromOutside(const std::wstring& path, int entry_key);
