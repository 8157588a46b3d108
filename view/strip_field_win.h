// The number fields of the edit window's tool strip: small edit boxes laid
// over separators kept for them in a band's tool bar.
#pragma once

#include <windows.h>

// A field over the separator `holder` of `bar`, taking up to `digits` digits.
HWND CreateStripField(HWND bar, int holder, int id, int digits);

// Lays a child control over the separator `holder`, inset by `inset`
// pixels, and shows it only while the separator is shown.
void PlaceOverSeparator(HWND bar, int holder, HWND control, int inset);

// While a field has the keys, typing digits must not run commands and no
// input method may compose.
void OnStripFieldFocus(HWND field, bool gained);

// The field's text as a number, or false when it holds none.
bool FieldNumber(HWND field, long* number);

// Writes a number into a field.
void SetFieldNumber(HWND field, long number);
