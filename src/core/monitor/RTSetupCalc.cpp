#include "monitor/RTSetupCalc.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <utility>

Hms SplitDuration(double dSeconds) {
  Hms d;
  d.h = static_cast<int>(std::trunc(dSeconds / 3600));
  d.m = static_cast<int>(std::trunc((dSeconds - 3600.0 * d.h) / 60));
  d.s = static_cast<int>(std::trunc(dSeconds - 3600.0 * d.h - 60.0 * d.m));
  return d;
}

std::string DurationWords(const Hms &d) {
  char buf[80];
  std::snprintf(buf, sizeof buf, "%d hour %d minute %d second", d.h, d.m, d.s);
  return buf;
}

std::string DurationClock(const Hms &d) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%d:%d:%d", d.h, d.m, d.s);
  return buf;
}

std::string FormatSetupTime(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%d-%d-%d,%d:%d:%d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                tm.tm_hour, tm.tm_min, tm.tm_sec);
  return buf;
}

IntFieldRead ReadIntField(std::string_view text, long long nMin, long long nMax, TrText notANumber,
                          FTranslate tr) {
  IntFieldRead r;
  std::size_t i = 0;
  const std::size_t n = text.size();
  auto blank = [&](std::size_t k) { return std::isspace(static_cast<unsigned char>(text[k])) != 0; };
  while (i < n && blank(i))
    ++i;
  bool bNeg = false;
  if (i < n && (text[i] == '-' || text[i] == '+'))
    bNeg = text[i++] == '-';
  const std::size_t nDigitsFrom = i;
  long long v = 0;
  bool bHuge = false;
  while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) {
    if (v > 1000000000000LL)
      bHuge = true; // far outside any range; keep reading the digits
    else
      v = v * 10 + (text[i] - '0');
    ++i;
  }
  const bool bDigits = i > nDigitsFrom;
  while (i < n && blank(i))
    ++i;
  if (!bDigits || i != n) {
    r.strError = tr(notANumber);
    return r;
  }
  if (bNeg)
    v = -v;
  if (bHuge || v < nMin || v > nMax) {
    std::string s = tr(kEnterAnIntegerBetween);
    for (const auto &[mark, v] : {std::pair{"%1", nMin}, std::pair{"%2", nMax}})
      if (const std::size_t at = s.find(mark); at != std::string::npos)
        s.replace(at, 2, std::to_string(v));
    r.strError = s;
    return r;
  }
  r.bOk = true;
  r.nValue = v;
  return r;
}
