#pragma once

#include "graph/GraphState.h"
#include "records/SampleArray.h"

#include <ctime>
#include <optional>
#include <string>
#include <vector>

// A sample time text "day-month-year,hour:minute:second" read as local
// time; empty when a field is missing or out of range, or the local time
// does not exist.
std::optional<std::time_t> ParseDateTime(const std::string &strText);
// "dd-mm-yyyy,hh:mm:ss" in local time.
std::string FormatDateTime(std::time_t t);
// "hh:mm:ss" in local time.
std::string FormatClock(std::time_t t);
// The clock part of a sample's time text: after the first comma, its hour
// padded to two digits; all of the text when it has no comma.
std::string ClockPart(const std::string &strText);

// Start time and interval of the time axis when the array is empty.
inline constexpr const char *kEmptyStartTime = "30-6-2010,00:00:00";

// The six labels under the time ticks. A label falls on the nearest sample
// when there is one; past the data it continues the step of the two labels
// before it; the first two count from the first sample's time. When a text
// needed for that cannot be read, the labels stop at nFailedAt (its tick is
// still drawn) and strBadText names the text.
struct TimeAxisLabels {
  std::vector<std::string> labels; // drawn texts, one per tick up to the failure
  int nFailedAt = -1;
  std::string strBadText;
  bool Failed() const { return nFailedAt >= 0; }
};
TimeAxisLabels ComputeTimeLabels(const CGraphState &s, const CSampleArray &samples);
