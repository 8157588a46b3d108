// Saving the current image: save in its own format, save as through the
// dialog with its options panel, and the save to a given path behind both.
#pragma once

#include <string>

#include "codecs/save_options.h"

bool SaveDocument();       // overwrite the current file in its own format
bool SaveDocumentAs();     // through the save dialog
bool SaveDocumentTo(const std::wstring& destination, int save_type);
// The same with options of the caller's own rather than the settings'.
bool SaveDocumentWith(const std::wstring& destination, const SaveOptions& options);

// Takes the current file's time and size as they are after the program
// itself wrote it, so its own write does not look like a change by another
// program (which would bring the reload question).
void RememberOwnWrite();
