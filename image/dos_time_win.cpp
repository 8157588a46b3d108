#include <windows.h>

#include "image/dos_time.h"

bool DosTimeToUtc(uint16_t dos_date, uint16_t dos_time, FileTimeValue* utc) {
  FILETIME local, universal;
  if (!DosDateTimeToFileTime(dos_date, dos_time, &local)) return false;
  if (!LocalFileTimeToFileTime(&local, &universal)) return false;
  *utc = {universal.dwLowDateTime, universal.dwHighDateTime};
  return true;
}
