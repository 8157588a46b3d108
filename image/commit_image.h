// Moving a freshly decoded (staged) or computed image into the current
// image, which everything shows and saves.
#pragma once

#include "image/image_buffer.h"

// Releases the current pixels, takes the staged palette (unless the staged
// image has 24 bits), moves the pixel block and any frame list across (the staging record is
// left without pixels), then copies the header and the source properties.
void CommitImage(ImageBuffer* staged, ImageBuffer* current);
