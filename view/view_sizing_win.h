// The user sizing the view window: held to the image while the window
// follows it, laid out afterwards in every case.
#pragma once

#include <windows.h>

void OnViewSizing(WPARAM edge, RECT* proposed);
void OnViewSize();
void OnViewMinMaxInfo(MINMAXINFO* info);
