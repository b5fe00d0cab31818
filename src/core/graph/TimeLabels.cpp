#include "graph/TimeLabels.h"

#include "graph/GraphMath.h"

#include <cmath>
#include <cstdio>

std::optional<std::time_t> ParseDateTime(const std::string &strText) {
  int day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
  if (std::sscanf(strText.c_str(), "%d-%d-%d,%d:%d:%d", &day, &month, &year, &hour, &minute, &second) != 6)
    return std::nullopt;
  if (year < 1900 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 ||
      minute > 59 || second < 0 || second > 59)
    return std::nullopt;
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = -1; // daylight saving as the system knows it
  std::time_t t = std::mktime(&tm);
  if (t == static_cast<std::time_t>(-1))
    return std::nullopt;
  return t;
}

namespace {
bool LocalTm(std::time_t t, std::tm &tm) {
  return localtime_r(&t, &tm) != nullptr;
}
} // namespace

std::string FormatDateTime(std::time_t t) {
  std::tm tm{};
  if (!LocalTm(t, tm))
    return {};
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2d-%.2d-%d,%.2d:%.2d:%.2d", tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900,
                tm.tm_hour, tm.tm_min, tm.tm_sec);
  return buf;
}

std::string FormatClock(std::time_t t) {
  std::tm tm{};
  if (!LocalTm(t, tm))
    return {};
  char buf[32];
  std::strftime(buf, sizeof buf, "%H:%M:%S", &tm);
  return buf;
}

std::string ClockPart(const std::string &strText) {
  auto comma = strText.find(',');
  std::string clock = comma == std::string::npos ? strText : strText.substr(comma + 1);
  // A download's hour is not padded ("8:30:00"); on an axis beside "08:32:01" it would be.
  if (comma != std::string::npos && clock.find(':') == 1)
    clock.insert(0, 1, '0');
  return clock;
}

TimeAxisLabels ComputeTimeLabels(const CGraphState &s, const CSampleArray &samples) {
  const std::size_t nCount = samples.GetSize();
  const std::string strT0 = nCount ? samples[0].m_strTime : std::string(kEmptyStartTime);
  const double dInterval = nCount ? samples[0].m_dSampleRate : 1.0;

  TimeAxisLabels out;
  std::vector<std::string> full; // each label's whole date-time text
  auto fail = [&](int i, const std::string &bad) {
    out.nFailedAt = i;
    out.strBadText = bad;
    return out;
  };
  for (int i = 0; i < 6; ++i) {
    const long long idx = TickSample(s, i);
    if (idx >= 0 && static_cast<unsigned long long>(idx) < nCount) {
      const std::string &text = samples[static_cast<std::size_t>(idx)].m_strTime;
      full.push_back(text);
      out.labels.push_back(ClockPart(text));
      continue;
    }
    std::time_t t;
    if (i >= 2) {
      auto prev = ParseDateTime(full[i - 1]);
      if (!prev)
        return fail(i, full[i - 1]);
      auto prev2 = ParseDateTime(full[i - 2]);
      if (!prev2)
        return fail(i, full[i - 2]);
      t = *prev + (*prev - *prev2);
    } else {
      auto t0 = ParseDateTime(strT0);
      if (!t0)
        return fail(i, strT0);
      double dElapsed = std::trunc(i * (s.m_plotWidth * s.m_xScale) / 5 * dInterval);
      t = *t0 + static_cast<std::time_t>(std::isfinite(dElapsed) ? dElapsed : 0);
    }
    full.push_back(FormatDateTime(t));
    out.labels.push_back(FormatClock(t));
  }
  return out;
}
