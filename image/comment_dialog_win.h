// The dialog in which the user edits the comment stored in the current file.
#pragma once

#include <windows.h>

#include <string>

// Shows `*text` for editing; true with the edited text on OK, false on
// Cancel or when the dialog cannot be shown.
bool AskForComment(HWND owner, std::wstring* text);
