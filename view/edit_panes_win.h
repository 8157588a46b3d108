// The edit window's two image panes: the source pane with the current image
// and the preview pane beside it, both showing the same part at one zoom.
#pragma once

#include <windows.h>

#include "view/view_geometry.h"

// The part of the edit window's client area the panes fill, below the tool
// strip, in client coordinates.
RECT EditPaneArea();

// Creates both panes inside the edit window; the source pane alone shows.
void CreateEditPanes(HWND edit);
LRESULT CALLBACK EditPaneProc(HWND pane, UINT message, WPARAM wparam, LPARAM lparam);

// One pane's client as it is without scroll bars.
ViewSize EditPaneFullClient();

// Places the panes for the active pane and lays the view out in them.
void LayOutEditPanes();
// Lays the shared view out in one pane's client, with the scroll bars
// that view needs when they are on.
void LayOutEditView();
void RepaintEditPanes();
// The stretch mode of both panes' device contexts.
void SetEditStretchMode(bool natural_size, bool panning);

// Backgrounds 0 to 4, as the view window's.
void SetEditBackground(int background);

// A new or discarded save preview: the preview pane shows what there is,
// and comes up beside the image when only the image was shown.
void ShowPreviewInPanes(bool made);

// Commands 5720 to 5722 (both panes, source only, preview only) and 5710.
void SetActivePane(int pane);
void ToggleEditScrollBars();

// The wheel over the edit window goes to the active pane, or with both
// panes shown to the one under the pointer.
void OnEditWheel(int delta, WPARAM keys, POINT screen);
