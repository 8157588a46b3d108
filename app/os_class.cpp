#include "app/os_class.h"

int OsClassFromVersion(uint32_t major, uint32_t minor) {
  if (major < 5 || (major == 5 && minor == 0)) return kOsClassUnsupported;
  if (major == 5) return 1;
  if (major > 6 || minor >= 3) return 5;
  return 2 + static_cast<int>(minor);  // 6.0, 6.1, 6.2
}
