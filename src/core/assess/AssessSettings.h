#pragma once

#include <array>
#include <optional>
#include <string_view>

// What the user asks of an assessment: the clock period, the threshold
// that makes events, and the exposure time of the daily exposure.
struct AssessSettings {
  int nPeriodSec = 900;
  std::optional<double> dThreshold;     // dB; no events without it
  double dMinDurationSec = 1;           // shorter events are dropped
  double dReleaseSec = 1;               // this long below the threshold ends an event
  std::optional<double> dExposureHours; // none: the measured time
};

// The periods offered, in seconds, and their option texts ("15m").
inline constexpr std::array<int, 5> kPeriodSeconds = {60, 300, 900, 1800, 3600};
inline constexpr std::array<std::string_view, 5> kPeriodTexts = {"1m", "5m", "15m", "30m", "1h"};
inline constexpr int kDefaultPeriodIndex = 2;

// The seconds of a period text ("5m"), or none for any other text.
std::optional<int> ParsePeriodText(std::string_view text);
