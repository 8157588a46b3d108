// The picture format of the test plug-ins, "OVTP": the magic, the bit
// count, a pad byte, width and height (16-bit little-endian), the colour
// table for 8 bits or fewer (4 bytes an entry, 2^bits of them), then the
// bitmap rows bottom-up, each padded to 4 bytes. Whatever bit count the file
// names is handed on, so a file can make the plug-in return a depth the
// viewer must refuse.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "plugins/spi/spi_image_core.h"

const SpiImageCore& TestPictureCore();

// A test picture's bytes, for the tests that write them.
std::vector<uint8_t> MakeTestPicture(uint16_t width, uint16_t height, uint8_t bit_count,
                                     const std::vector<uint8_t>& palette,
                                     const std::vector<uint8_t>& bits);
