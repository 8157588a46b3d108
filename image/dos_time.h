// The DOS date and time that ZIP headers carry: local time of the system
// that wrote the archive, to the even second, from 1980 on.
#pragma once

#include <cstdint>

#include "image/win_records.h"

// The moment as a file time in UTC, reading the DOS fields as local time of
// this system. False, leaving *utc alone, for fields that name no day or
// time (month 0, day 31 of April, hour 24 ...).
bool DosTimeToUtc(uint16_t dos_date, uint16_t dos_time, FileTimeValue* utc);
