// The language module: a resource-only library carrying every text the user
// sees, checked by a signature before it is trusted.
#pragma once

#include <windows.h>

#include <string>

// True when the module's RCDATA resource 1 begins with "Ovira" and a zero.
bool HasLanguageSignature(HMODULE module);

// Loads the named module as resources only (none of its code runs), falling
// back to English and then Japanese. An empty name picks Japanese for a
// Japanese user interface, else English. Returns nullptr when none loads with
// a valid signature; *loaded_name gets the name of the one that did.
HMODULE LoadLanguageModule(const std::wstring& name, std::wstring* loaded_name);

// Loads, checks and unloads a module; for the options dialog's language list.
bool IsUsableLanguageModule(const std::wstring& name);

// A string of the language module, empty when missing. With a zero buffer
// size the system hands out a pointer into the resource, so no length limit.
std::wstring LanguageString(HMODULE module, UINT id);
