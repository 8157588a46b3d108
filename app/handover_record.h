// The record a second start sends to the viewer already running, as the data
// of a WM_COPYDATA message with dwData 0. Running copies of every build rely
// on this layout, so it never changes: packed and little-endian,
//   offset 0: 16-bit switch letter
//   offset 2: signed 32-bit entry key
//   offset 6: the path, 260 UTF-16 units, zero-filled.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "app/command_line.h"

constexpr size_t kHandoverRecordBytes = 526;
constexpr size_t kHandoverPathUnits = 260;

// A path of 260 characters or more cannot travel with its terminator, so it
// is sent empty and the running viewer only acts on the switch. The extra
// arguments are not part of the record.
std::array<uint8_t, kHandoverRecordBytes> EncodeHandover(const CommandLine& command);

// False unless `size` is kHandoverRecordBytes. The sender is another process,
// so the path ends at its first zero unit or after 260 units, whichever comes
// first, and nothing past the record is read. `extra` is left empty.
bool DecodeHandover(const uint8_t* data, size_t size, CommandLine* out);
