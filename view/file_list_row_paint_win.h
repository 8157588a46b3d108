// Draws one row of the file-list window: the entry's name, and its size and
// date in a right-aligned column while the row is wide enough for them.
#pragma once

#include <windows.h>

#include "image/file_list.h"

void PaintFileListRow(const DRAWITEMSTRUCT& item, const FileList& files, HFONT font);
