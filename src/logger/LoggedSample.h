#pragma once

#include <chrono>
#include <ctime>
#include <string>

// One sample of the logger with what the meter showed with it, and the
// local time it was taken at (computed once, shared by every output).
struct CLoggedSample {
  std::chrono::system_clock::time_point time;
  std::tm local{}; // local calendar time of `time`
  int nMillis = 0; // milliseconds past local.tm_sec
  double dLevel = 0;
  bool bWeightA = true;
  bool bFast = true;
  bool bMax = false;
  bool bMin = false;
  int nRange = 4; // 1..3, 4 = AUTO

  const char *Unit() const { return bWeightA ? "dBA" : "dBC"; }
  const char *Weighting() const { return bWeightA ? "A" : "C"; }
};

// The time text of a live sample, "dd-mm-yyyy,hh:mm:ss", from its local time.
std::string LiveTimeText(const std::tm &local);
// The range as the meter's bar shows it: "30-80", "50-100", "80-130", "AUTO".
const char *RangeText(int nRange);
// "2026-12-08T09:15:03.250+01:00".
std::string SampleIsoTime(const CLoggedSample &s);

// "time,level,weighting": the heading of --print csv.
inline constexpr const char *kCsvHeading = "time,level,weighting";
// "2026-12-08T09:15:03.250+01:00,65.2,A"
std::string SampleCsv(const CLoggedSample &s);
// {"time": "...", "level": 65.2, "weighting": "A", "fast": true, "max": false,
//  "min": false, "range": "AUTO"} on one line: --print json and PREFIX/level.
std::string SampleJson(const CLoggedSample &s);
