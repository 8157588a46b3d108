// Stores integers straight into their directory slots (position 1 and the
// value at offset 4 + 8 * index) without rewriting the rest of the file.
// The adjustments keep their parameters this way.
#pragma once

#include <cstddef>
#include <cstdint>

#include "app/settings_io.h"

struct InlineSetting {
  int index;
  int32_t value;
};

// When the file is missing, or its header or directory is incomplete, or its
// directory is too short to hold one of the indices, an in-place write would
// land outside the directory (in the data area or past the end). The values
// then go through a full rewrite instead, which creates or completes the
// file and keeps every entry it had. Indices outside 0..227 are refused and
// nothing is written.
bool WriteInlineSettings(const PathChar* path, const InlineSetting* settings, size_t count);
bool WriteInlineSetting(const PathChar* path, int index, int32_t value);
