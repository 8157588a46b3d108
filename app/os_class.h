// Which family of Windows the program runs on, from the system's version
// record: 0 unsupported (before 5.1), 1 for 5.1 and 5.2, 2 for 6.0, 3 for
// 6.1, 4 for 6.2, 5 for anything later (6.3 and up, every major version from
// 7). A 5.x minor above 2 never shipped and counts with 5.1 and 5.2.
#pragma once

#include <cstdint>

constexpr int kOsClassUnsupported = 0;

int OsClassFromVersion(uint32_t major, uint32_t minor);
