// The only way the current image is replaced. Whatever was made from the
// old image goes with it: a save preview of another image must never
// stand in for saving this one.
#pragma once

#include "image/image_buffer.h"

// Takes the staged pixels as the current image (the staging record is left
// without pixels), as CommitImage does.
void ReplaceCurrentImage(ImageBuffer* staged);

// The empty canvas in place of the current image.
void ClearCurrentImage();
