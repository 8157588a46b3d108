// The view window's geometry in action: layout, zoom, pan, the window that
// follows the image, and showing a newly opened image.
#pragma once

#include <windows.h>

#include "app/screen_rect.h"
#include "view/view_geometry.h"

bool ViewHasImage();
ViewSize ViewImageSize();
ViewSize ViewClientSize();

// The geometry of the view in use: the edit window's panes in display mode
// 1, the view window otherwise.
ViewGeometry& GeometryInUse();
// Sets the zoom of the view in use and lays it out as a zoom command does.
void SetViewZoom(double zoom);

// Recomputes destination and source from zoom, centre and client size.
void LayOutViewWindow(bool refresh_navigator);
// The stretch mode for the still picture at the current zoom, and the
// faster one while the user pans with the mouse.
void ApplyViewStretchMode();
void SetPanningStretch();
void RepaintView();

// Zoom commands; with a pointer (client coordinates) the image pixel under
// it stays put. Nothing happens without an image.
void RunViewZoomCommand(int command, const POINT* pointer);
void RunViewPanCommand(int command);
void PanViewBy(int dx, int dy);

// Sizes and places the view window around the scaled image within `area`.
void FitViewWindow(const RECT& area);
// The frame of the view window's current style as insets around a client.
ScreenRect ViewWindowFrame();

// For a window that follows the image (nothing otherwise): the image
// refitted by the new-image rule into `area` less the frame, and the window
// fitted around it within `area`.
void RefitFollowingWindow(const RECT& area);

// The new-image rule of the current mode applied to the current image:
// zoom, fit and centre, then the window fit or layout, and a repaint.
void RefitViewByNewImageRule();

// After an image has been committed as the current image.
void ShowNewViewImage(bool mark_modified);


// Backgrounds 0 to 4: white, light grey, grey, dark grey, black.
void SetViewBackground(int background);
