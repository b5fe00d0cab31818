#pragma once

#include <ctime>

// A local calendar time for tests that must not depend on today's date.
inline std::tm FixedLocalTime(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond = 0) {
  std::tm t{};
  t.tm_year = nYear - 1900;
  t.tm_mon = nMonth - 1;
  t.tm_mday = nDay;
  t.tm_hour = nHour;
  t.tm_min = nMinute;
  t.tm_sec = nSecond;
  return t;
}
