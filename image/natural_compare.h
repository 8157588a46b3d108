// Orders names the way people read them: runs of digits compare by their
// value, so img2 comes before img10, and letters compare without regard to
// case. It never allocates: sorting tens of thousands of names calls it
// hundreds of thousands of times.
#pragma once

#include <string_view>

// Negative when a comes first, positive when b does, 0 when the two read the
// same (IMG1.png and img1.PNG, or a01 and a1).
int NaturalCompare(std::u16string_view a, std::u16string_view b);
