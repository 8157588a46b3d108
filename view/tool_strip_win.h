// The edit window's tool strip: a rebar across the top whose bands hold
// the file and menu buttons, the pane and zoom buttons and the zoom field.
#pragma once

#include <windows.h>

constexpr int kToolStripId = 1010;
constexpr int kFileBandId = 1011;
constexpr int kViewBandId = 1012;

// The tool bar of one of the strip's bands, or null.
HWND ToolStripBand(int id);

// Creates the strip at the top of the edit window.
HWND CreateToolStrip(HWND edit);
// Before the edit window goes: the bands' button images go with it.
void FreeToolStripImages();

// Builds the strip again, for a new interface font's text height; the
// bands keep the rows they were in.
void RebuildToolStrip();

// The strip's height in the edit window's client; 0 without a strip.
int ToolStripHeight();
// How many rows the rebar's bands take now (stored at exit).
int ToolStripRows();

// Shows the zoom of the panes in the zoom field and checks the button of
// the active pane.
void RefreshToolStrip();

// The strip's notifications and the zoom field's changes, reaching the
// edit window; true when the message was the strip's.
bool HandleToolStripNotify(const NMHDR* header, LRESULT* result);
bool HandleToolStripCommand(WPARAM wparam, LPARAM lparam);

// A message of the menu loop while a menu button's menu is open: moving
// onto another menu button opens its menu instead, a click elsewhere on the
// strip closes the menu. True when the message is used up.
bool HandleMenuLoopMessage(const MSG& message);
