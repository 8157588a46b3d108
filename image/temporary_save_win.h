// The temporary file behind every save: the current image written in full
// before anything on disk is given up.
#pragma once

#include <cstdint>
#include <string>

#include "codecs/save_options.h"

// A new, empty temporary file; empty when the system has none to give.
std::wstring NewTemporaryFile();

// Writes the current image with `options` into a new temporary file and
// gives its path and size; on failure the message is shown, no file is
// left, and the path is empty.
std::wstring WriteTemporarySave(const SaveOptions& options, uint32_t* bytes);
