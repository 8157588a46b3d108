// The dialog that asks for the password of an encrypted RAR archive.
#pragma once

#include <windows.h>

#include <string>

// True with the typed password on OK; false on Cancel or when the dialog
// cannot be shown.
bool AskForRarPassword(HWND owner, std::wstring* password);
