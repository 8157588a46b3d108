// Pasting: the clipboard's device-independent bitmap (CF_DIB) decoded as a
// BMP file's contents would be.
#pragma once

#include <windows.h>

#include "image/image_buffer.h"

// Decodes the clipboard's CF_DIB into target. False, with no status to show,
// when there is no such bitmap, the clipboard cannot be opened, or the
// bitmap is of a kind or size the viewer does not read.
bool ReadClipboardBitmap(HWND owner, ImageBuffer* target);

// The same into a new record taken zeroed from the private heap; nullptr
// when there is nothing to paste. FreeClipboardBitmap releases it.
ImageBuffer* ReadClipboardBitmapNew(HWND owner);
void FreeClipboardBitmap(ImageBuffer* image);
