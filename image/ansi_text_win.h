// Text in the system's ANSI code page, the form file comments are stored in.
#pragma once

#include <cstddef>
#include <string>

// At most `max_bytes` bytes; a character that would not fit whole is left
// out with everything after it. Characters the code page lacks become its
// default character.
std::string ToAnsiCodePage(const std::wstring& text, size_t max_bytes);

std::wstring FromAnsiCodePage(const std::string& text);
