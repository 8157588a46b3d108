// The save dialog with the save options of the chosen type below it.
#pragma once

#include <string>

// Asks where to save; the chosen type is left in the document's save type.
// False when the user cancels.
bool AskSavePath(std::wstring* chosen);
