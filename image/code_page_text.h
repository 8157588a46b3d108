// Text in the system's ANSI code page as UTF-16: ZIP member names written
// without the UTF-8 flag are in the code page of the system that made them,
// which is taken to be ours.
#pragma once

#include <string>
#include <string_view>

// Windows converts with its ANSI code page; other systems have none and read
// Windows-1252, the code page of most archives made on Western systems.
std::u16string Utf16FromAnsi(std::string_view text);
