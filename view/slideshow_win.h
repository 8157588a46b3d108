// The slideshow: full screen through the file list, one image per tick of
// timer 100000, until a click, a key or a mode change stops it.
#pragma once

#include <windows.h>

constexpr UINT_PTR kSlideshowTimer = 100000;

// Command 5250 when no show runs, and the "/a" start: full screen first,
// then the show when the file list and the save question allow it.
void StartSlideshow();
// Nothing when no show runs.
void StopSlideshow();
void OnSlideshowTick();
