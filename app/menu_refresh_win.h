// Menu item states as a popup opens: what is enabled and checked, and the
// captions that follow the display mode.
#pragma once

#include <windows.h>

// Prepares `popup` once per menu loop.
void PreparePopup(HMENU popup);
// The menu loop has ended: every popup is prepared again next time.
void ForgetPreparedPopups();
