// Putting a finished file in place of another, and telling the shell.
#pragma once

#include <string>

// Copies `finished` over `destination`. The copy goes next to the
// destination first, so the old file is only given up once its replacement
// is complete on the same disk: a full disk or a read-only folder leaves
// the old file where it was. The old file goes to the recycle bin.
bool ReplaceFileWith(const std::wstring& finished, const std::wstring& destination);

// Lets Explorer windows show a file that did not exist before.
void AnnounceNewFile(const std::wstring& path);
