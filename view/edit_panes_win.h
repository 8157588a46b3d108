// The edit window's two image panes: the source pane with the current image
// and the preview pane beside it, both showing the same part at one zoom.
#pragma once

#include <windows.h>

// The part of the edit window's client area the panes fill, below the tool
// strip, in client coordinates.
RECT EditPaneArea();
