// Console output for ovirac: paths are printed as UTF-8 on every system.
#pragma once

#include <string>

#include "image/path.h"

std::string PathToUtf8(const PathChar* path);

// Lower-case extension of a path without the dot, ASCII only; empty if none.
std::string LowerExtension(const PathChar* path);
