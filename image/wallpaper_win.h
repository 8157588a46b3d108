// The current image as the desktop background.
#pragma once

void SetAsWallpaper();
