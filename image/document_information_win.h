// The information dialogs on what the current file carries besides its
// pixels: the Exif block of a JPEG file, the text chunks of a PNG file.
#pragma once

// Reads the current file (or archive member) again and shows its dialog;
// nothing happens when the data cannot be read.
void ShowImageInformation();
