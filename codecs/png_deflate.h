// The whole filtered image data compressed in one finishing deflate call,
// as the zlib stream the IDAT chunk holds.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/page_memory.h"
#include "image/status.h"

// level: zlib's 0 to 9. filtered: the strategy for filtered scanlines,
// else zlib's default. The output block is zlib's bound for the input, and
// never less than n + n/8 + n/64 + 5. kDeflateFailed when zlib refuses to
// start or to finish, kNoMemory when the block is refused.
Status DeflateImageData(const uint8_t* data, size_t size, int level, bool filtered, PageBlock* out,
                        size_t* out_size);
