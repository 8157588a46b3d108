// Printing the current image on one page: the print dialog with its page
// preview, the fill and placement modes, page setup and the system print
// dialog.
#pragma once

// Does nothing without an image.
void PrintCurrentImage();
