// The edit window's save-options bar: a band of the tool strip that shows
// the save type and the options of that type, the same settings the save
// dialog edits, and makes the save preview with them.
#pragma once

#include <windows.h>

constexpr int kSaveBarId = 1014;

// Adds the bar to the strip; `new_row` puts it on a row of its own.
void CreateSaveBar(HWND strip, bool new_row);

// Shows the controls of the current save type with the values of the
// settings; a field being typed in keeps what the user typed.
void RefreshSaveBar();

// The bar's commands (5800 to 5890 without the save preview); false for
// any other.
bool RunSaveBarCommand(int command);

// A notification of one of the bar's own controls; false when the control
// is not the bar's.
bool HandleSaveBarControl(WPARAM wparam, LPARAM lparam);

// Opens the drop-down list of one of the bar's menu buttons; false when the
// button is not the bar's.
bool OpenSaveBarMenu(HWND bar, int button);

// Enter in one of the number fields: the typed value is taken and the save
// preview made. False when the focus is elsewhere.
bool TakeSaveBarField(HWND focus);

// The colour box: a click opens the colour dialog; picking from the image
// ends with the colour taken or left.
void ChooseSaveColour();
void EndSaveColourPick(bool accept, COLORREF colour);
void RepaintSaveColourBox();
