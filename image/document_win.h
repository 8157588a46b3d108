// Document operations: opening, saving, the save question, the clipboard,
// deleting, the wallpaper and the colour count, on the current document.
#pragma once

#include <string>

// Asks the save question when the current image has unsaved changes.
// False when the user cancels (or a "Yes" save fails).
bool SettleUnsavedChanges();

// Opens an image file; a non-zero entry key selects that entry of the file
// list. False when nothing could be opened (the empty canvas shows then).
bool OpenDocument(const std::wstring& path, int entry_key);

// Opens entry `index` of the file list (the first one when out of range).
bool OpenListEntry(size_t index);

struct FolderRebuild;
// Reads the current folder again into the file list, keeping the current
// name's entry current, and watches it for changes from then on.
FolderRebuild RefreshFileList();

// The document commands (open, reload, save, save as, copy, paste, delete,
// comment, wallpaper, colour count, save preview). False when the command
// is not one of them.
bool RunDocumentCommand(int command);
