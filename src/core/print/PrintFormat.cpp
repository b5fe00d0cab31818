#include "print/PrintFormat.h"

#include <charconv>
#include <cstdio>

std::string FormatFixed(double value, int decimals) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  if (res.ec != std::errc())
    return "nan";
  return std::string(buf, res.ptr);
}

std::size_t Utf8Length(std::string_view s) {
  std::size_t n = 0;
  for (unsigned char c : s)
    if ((c & 0xC0) != 0x80)
      ++n;
  return n;
}

std::string FormatFooterTime(const PrintTime &t) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "Time: %d-%d-%d  %d:%d:%d", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return buf;
}

std::string FormatPageNumber(int page) {
  return "Page -" + std::to_string(page) + "-";
}

PrintTime ToPrintTime(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}
