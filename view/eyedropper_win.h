// Picking a colour from the image: the source pane takes the mouse, the
// title reads out the colour under the pointer, and a click on the image
// takes it.
#pragma once

#include <windows.h>

// Starts picking; does nothing without an image or while already picking.
void BeginEyedropper();

// Ends picking; `accept` keeps the colour last under the pointer.
void EndEyedropper(bool accept);

// The source pane's mouse while picking; true when the message was used.
bool HandleEyedropperMouse(HWND pane, UINT message, POINT client);
