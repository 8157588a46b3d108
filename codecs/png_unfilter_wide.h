// Undoing Sub, Average and Paeth a whole pixel at a time for pixels of 4
// and 8 bytes (colour with alpha, 16-bit colour with alpha). Each pixel still depends on the one to its left, but all its bytes
// are worked on at once.
#pragma once

#include <cstddef>
#include <cstdint>

// False when this filter, distance or machine is not handled here and the
// byte-wise loops must run. `previous` may be null only for Sub.
bool UnfilterRowWide(uint8_t filter, uint8_t* row, const uint8_t* previous, size_t size,
                     size_t distance);
