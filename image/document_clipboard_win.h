// The clipboard: the image, the view as shown, and pasting a bitmap.
#pragma once

void CopyImageToClipboard();
void CopyViewToClipboard();
void PasteFromClipboard();
