// File names in the system's own form: UTF-16 on Windows, bytes elsewhere.
#pragma once

#include <string>

#ifdef _WIN32
using PathChar = wchar_t;
#define OVIRA_PATH(s) L##s
#else
using PathChar = char;
#define OVIRA_PATH(s) s
#endif
using PathString = std::basic_string<PathChar>;
