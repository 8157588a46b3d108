// Shell shortcuts (.lnk files): reading where one points, and making one.
#pragma once

#include <string>

// The target of a shell shortcut, or empty when it is none or broken.
std::wstring ResolveShortcut(const std::wstring& path);

// Writes a shortcut at `path` that starts `target`; false when it could not
// be made. COM must be initialised on the thread.
bool CreateShortcut(const std::wstring& path, const std::wstring& target);
