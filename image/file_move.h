// Putting a finished file in place of another by name, and removing one,
// for the code that builds files beside the ones they replace.
#pragma once

#include "image/path.h"

// Renames `from` over `to` in one step, replacing a file there: anyone
// reading `to` sees the old file or the new one, never a mix. Both must be
// on the same disk. On POSIX systems the new file takes the old one's
// permissions, so replacing a private file does not make it readable.
bool MoveFileOver(const PathChar* from, const PathChar* to);

bool RemoveFile(const PathChar* path);
