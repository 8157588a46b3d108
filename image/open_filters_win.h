// The file types the open dialog offers: every image and archive the viewer
// reads, then each kind alone. RAR archives only while an UnRAR library can
// be loaded.
#pragma once

#include <string>

// Label and pattern pairs, each ended by a null character, with a second
// null at the end, as the open dialog takes them.
std::wstring OpenDialogFilters();
