// Lengths kept in tenths of a millimetre, shown and typed in millimetres
// with at most one decimal: "100", "12.5".
#pragma once

#include <cstdint>
#include <optional>
#include <string>

std::wstring MillimetreText(int32_t tenths);

// Accepts digits with one '.' or ',' and surrounding blanks; further
// decimals round. Nothing for negative, empty or malformed text, or more
// than 10 m.
std::optional<int32_t> ParseMillimetres(const std::wstring& text);
