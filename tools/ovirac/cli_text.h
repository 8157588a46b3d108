// Console output for ovirac: paths are printed as UTF-8 on every system.
#pragma once

#include <string>

#include "image/path.h"
#include "image/status.h"

std::string PathToUtf8(const PathChar* path);

// Lower-case extension of a path without the dot, ASCII only; empty if none.
std::string LowerExtension(const PathChar* path);

// Text given on the command line as the viewer would store it: the bytes
// as given, or on Windows converted to the ANSI code page.
std::string ArgumentText(const PathChar* argument);

// "status: CODE description", the line every command prints for a refusal.
void PrintStatus(Status status);
