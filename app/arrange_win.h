// Arranging, centring and closing all running viewers together. Viewers
// meet only through WM_COPYDATA: dwData 1 carries a placement record,
// 2 asks to centre, 3 asks to close.
#pragma once

#include <windows.h>

#include <cstddef>

enum ArrangementMessage : ULONG_PTR {
  kArrangePlace = 1,
  kArrangeCentre = 2,
  kArrangeClose = 3,
};

// Commands 5351 to 5355; only in the plain view mode, with two viewers or more.
void ArrangeViewers(int command);

// What a viewer does with an arrangement message from itself or another.
void HandleArrangementMessage(ULONG_PTR kind, const void* data, size_t size);
