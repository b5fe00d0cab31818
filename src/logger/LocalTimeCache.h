#pragma once

#include <chrono>
#include <ctime>
#include <string>

// Local calendar time for a stream of increasing times. localtime_r reads
// the zone file on every call when TZ is unset, so it runs once per quarter
// hour: every zone's offset and every change of it fall on a quarter hour,
// so inside one quarter only the minutes and seconds move.
class CLocalTimeCache {
public:
  std::tm Get(std::time_t t);
  int Conversions() const { return m_nConversions; }

private:
  std::time_t m_tWindow = -1; // start of the cached quarter hour, UTC
  std::tm m_tmWindow{};
  int m_nConversions = 0;
};

// "2026-12-08T09:15:03.250+01:00": local time with milliseconds and offset.
std::string FormatIso8601(const std::tm &local, int nMillis);
// The file name for `local` from a pattern with strftime fields; empty when
// the pattern expands to nothing.
std::string ExpandOutputPattern(const std::string &strPattern, const std::tm &local);
// Milliseconds since the epoch split into whole seconds and the rest.
struct CSplitTime {
  std::time_t tSec;
  int nMillis;
};
CSplitTime SplitTime(std::chrono::system_clock::time_point t);
