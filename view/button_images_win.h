// The tool bars' 16 x 16 button images, normal and under the pointer, as
// image lists a tool bar takes and hands back when it goes.
#pragma once

#include <windows.h>

// Gives the tool bar both lists.
void AttachButtonImages(HWND tool_bar);
// Destroys the lists a tool bar was given; tool bars leave that to us.
void DetachButtonImages(HWND tool_bar);
