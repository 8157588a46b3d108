// The zoom rectangle on the screen: drawn with the view's XOR pen while the
// drag lasts, and turned into a zoom and a centre when it ends.
#pragma once

#include <windows.h>

void StartZoomRectangle(HWND window, POINT client);
// Erases the outline at its last corner and draws it at the pointer.
void MoveZoomRectangle(POINT client);
// Erases the outline without zooming.
void CancelZoomRectangle();
// Erases the outline and zooms to it when it is large enough.
void FinishZoomRectangle();
