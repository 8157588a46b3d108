// The CRC-32 that guards every PNG chunk, over its type and data.
#pragma once

#include <cstddef>
#include <cstdint>

// Continues `crc` (0 to start) over `size` bytes.
uint32_t PngCrc(uint32_t crc, const uint8_t* data, size_t size);
