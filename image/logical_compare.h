// The order in which file names are listed. On Windows it is the shell's own
// (StrCmpLogicalW), so the viewer steps through a folder in the order
// Explorer shows it; elsewhere the natural comparison stands in.
#pragma once

#include <string>

// Negative, 0 or positive like NaturalCompare. Takes whole strings because
// the shell wants zero-terminated text and copying would cost an allocation
// per comparison.
int LogicalCompare(const std::u16string& a, const std::u16string& b);
