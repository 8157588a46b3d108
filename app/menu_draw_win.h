// Drawing the owner-drawn menu items: the caption on the left, the key
// binding right-aligned.
#pragma once

#include <windows.h>

void MeasureMenuItem(MEASUREITEMSTRUCT* measure);
void DrawMenuItem(const DRAWITEMSTRUCT* draw);
