#include <ctime>

#include "image/dos_time.h"

namespace {

// Seconds between 1601-01-01, where file times count from, and 1970-01-01.
constexpr int64_t kEpochDifference = 11644473600LL;

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

bool DosTimeToUtc(uint16_t dos_date, uint16_t dos_time, FileTimeValue* utc) {
  const int year = 1980 + (dos_date >> 9), month = (dos_date >> 5) & 15, day = dos_date & 31;
  const int hour = dos_time >> 11, minute = (dos_time >> 5) & 63, second = (dos_time & 31) * 2;
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
  if (hour > 23 || minute > 59 || second > 59) return false;
  std::tm fields{};
  fields.tm_year = year - 1900;
  fields.tm_mon = month - 1;
  fields.tm_mday = day;
  fields.tm_hour = hour;
  fields.tm_min = minute;
  fields.tm_sec = second;
  fields.tm_isdst = -1;  // whatever daylight saving the zone had on that day
  const std::time_t seconds = std::mktime(&fields);
  if (seconds == static_cast<std::time_t>(-1)) return false;  // no moment before 1980 is -1
  const uint64_t ticks = static_cast<uint64_t>(int64_t{seconds} + kEpochDifference) * 10000000ULL;
  *utc = {static_cast<uint32_t>(ticks), static_cast<uint32_t>(ticks >> 32)};
  return true;
}
