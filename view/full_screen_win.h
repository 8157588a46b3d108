// The view window over a whole monitor without caption or frame, and back
// to its own place and style. The display-mode switch decides when.
#pragma once

// Display mode 2: maximised over the nearest monitor, the picture fitted to
// it by the full-screen rules, in front and focused.
void EnterFullScreen();

// Display mode 0 again, with the window's style and place as they were and
// the picture refitted; the window stays hidden unless `show_view`.
void LeaveFullScreen(bool show_view);
