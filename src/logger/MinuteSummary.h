#pragma once

#include "logger/LoggedSample.h"

#include <ctime>
#include <optional>
#include <string>
#include <vector>

// The levels of one clock minute, summed up when the next minute's first
// sample arrives: the PREFIX/summary message.
class CMinuteSummary {
public:
  explicit CMinuteSummary(double dRate) : m_dRate(dRate) {}

  // Adds a sample; returns the finished minute's JSON when `s` begins a
  // new minute.
  std::optional<std::string> Add(const CLoggedSample &s);
  // The minute so far (at the end of a run), if it has samples.
  std::optional<std::string> Flush();

private:
  std::string Json() const;

  double m_dRate;
  long long m_nMinute = 0; // minutes since the epoch; local minutes start on the same seconds
  std::tm m_tmStart{};
  std::vector<double> m_levels;
  bool m_bWeightA = true, m_bMixed = false;
};
