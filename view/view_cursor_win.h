// Hiding the mouse cursor over the full-screen picture and the slideshow,
// and bringing it back.
#pragma once

#include <windows.h>

// Hides the cursor and remembers where the pointer is; nothing when it is
// already hidden, while the bar is shown, or over the file-list window.
void HideViewCursor();
void ShowViewCursor();

// A pointer move over the view: in full screen outside a slideshow, a move
// far enough from where the cursor was hidden brings it back.
void WakeCursorOnMove(POINT client);
