#include <windows.h>
#include <shlwapi.h>

#include "image/logical_compare.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t));

int LogicalCompare(const std::u16string& a, const std::u16string& b) {
  return StrCmpLogicalW(reinterpret_cast<const wchar_t*>(a.c_str()),
                        reinterpret_cast<const wchar_t*>(b.c_str()));
}
