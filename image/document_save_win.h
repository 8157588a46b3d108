// Saving the current image: the save question, save, save as with its
// options panel, the temporary save behind every save, the save preview.
#pragma once

#include <string>

bool SaveDocument();       // overwrite the current file in its own format
bool SaveDocumentAs();     // through the save dialog
bool SaveDocumentTo(const std::wstring& destination, int save_type);
bool MakeSavePreview();
void DiscardSavePreview();

// A new, empty temporary file; empty when the system has none to give.
std::wstring NewTemporaryFile();
