// Playing the current image's animation in the view window with timer
// 200000, one frame per tick.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr UINT_PTR kAnimationTimer = 200000;

// From the first frame with the file's loop count, unless the edit window
// has the image (it works on the first frame only).
void RestartAnimation();

// Kills the timer and goes back to the first frame. Must run before the
// frame list is freed, or a pending tick would show a freed canvas.
void StopAnimation();

// Timer 200000: shows the next frame and sets the timer for its delay.
void OnAnimationTick();

// The rows the view paints: the shown frame's canvas, or the image's pixels.
const uint8_t* ShownViewPixels();
