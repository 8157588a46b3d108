// Which language-module strings make up the message box for a status code.
#pragma once

#include <cstddef>
#include <cstdint>

struct StatusMessageIds {
  uint32_t caption;   // string id of the caption
  uint32_t lead;      // string id shown before the text, 0 for none
  uint32_t text;      // string id of the text (the code itself)
  size_t text_limit;  // characters of the text shown at most, 0 for no limit
};

// False for codes with no message: 50000 and anything outside 30001-30013
// and 50001-50024.
bool StatusMessageIdsFor(uint32_t code, StatusMessageIds* ids);
