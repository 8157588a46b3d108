// The file-list tool window: the entries of the current file list in one
// owner-drawn list box whose selection is the current entry. It exists only
// while shown; closing it destroys it and keeps its size for the next time.
#pragma once

#include <windows.h>

inline constexpr int kFileListBoxId = 1030;

LRESULT CALLBACK FileListWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Command 5311: shows the window with a file list, closes it when shown.
void ToggleFileListWindow();
// Creates (when needed), places and shows the window; false without a file
// list or when it cannot be created.
bool ShowFileListWindow();
void CloseFileListWindow();
// Moves a shown window next to the window in use; nothing when none is shown.
void PlaceFileListWindow();
// Brings the rows and the selection up to date with the file list.
void RefreshFileListWindow();
