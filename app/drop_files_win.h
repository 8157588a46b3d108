// Files dropped on a window: the first opens here, each further one in a
// viewer of its own.
#pragma once

#include <windows.h>
#include <shellapi.h>

void HandleDroppedFiles(HDROP drop);
