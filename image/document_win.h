// Document operations: what happens to the current image when something
// else is to be opened, and opening a file into the view.
#pragma once

#include <string>

// Asks the save question when the current image has unsaved changes.
// False when the user cancels.
bool SettleUnsavedChanges();

// Opens an image file; a non-zero entry key selects that entry of the file
// list. False when nothing could be opened.
bool OpenDocument(const std::wstring& path, int entry_key);

// The document commands (open, reload, save, save as, copy, paste, delete,
// wallpaper, colour count, save preview, file-list steps and orders).
// False when the command is not one of them.
bool RunDocumentCommand(int command);
