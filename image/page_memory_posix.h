// Native builds only: what page memory has been asked for, so tests can
// prove that a reader refused a file before it took any pixel block.
#pragma once

#include <cstdint>

// Bytes requested from PageAlloc since the process started, whether or not
// the system granted them.
uint64_t PageBytesRequested();
