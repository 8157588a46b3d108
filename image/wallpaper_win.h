// The current image as the desktop background.
#pragma once

#include <string>

void SetAsWallpaper();

// The file the desktop background is saved to, in the settings folder.
std::wstring SavedWallpaperPath();
