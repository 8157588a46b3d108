// Commands whose module has not been written yet. Until it arrives such a
// command's menu item is greyed and its key, button or message does
// nothing, so the user is never taken somewhere that cannot answer. Each
// module that arrives deletes its rows from the one table behind this.
#pragma once

// Whether `command` is still waiting for its module in this display mode
// (DisplayMode: some commands already work in the view window but not yet
// in the edit window).
bool IsPendingCommand(int command, int display_mode);
