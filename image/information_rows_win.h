// A two-column report list of label and value rows in a dialog: filled
// once, its first column a fixed width and the second the rest, and its
// selected rows copied as text with Ctrl+C (Ctrl+A selects them all).
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

using InformationRows = std::vector<std::pair<std::wstring, std::wstring>>;

struct InformationList {
  int dialog_id;
  int list_id;
  UINT first_heading;  // the second heading is the next string
  int first_width;     // pixels
  InformationRows rows;
};

// Shows the dialog modally; false when it cannot be shown.
bool ShowInformationList(HWND owner, const InformationList& list);

// The rows as the clipboard gets them: label, tab, value, CR LF each.
std::wstring RowsAsText(const InformationRows& rows);
