#pragma once

#include "records/AcousticStats.h"
#include "records/StatData.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A read-out's control id and the text it shows.
struct ControlText {
  int nId;
  std::string strText;
};

// The statistics block of both windows: the whole run (monitoring view) or
// the chosen recording (data logger window).
struct StatBlock {
  const StatData &stat;
  std::size_t nCount = 0;
  const AcousticStats &noise;
  std::string_view strLeqLabel; // "LAeq", "LCeq" or "Leq"
};

// Every read-out of the block, bound to its control (StatIds, NoiseIds):
// the count, start time, extremes with their times and the average, then
// the Leq label, Leq, L10, L50, L90, SEL with one decimal and the duration
// as h:mm:ss. For an empty set the values are empty and the label is "Leq".
std::vector<ControlText> StatReadouts(const StatBlock &b);
// Only the noise figures (after a pacing of the percentiles).
std::vector<ControlText> NoiseReadouts(const AcousticStats &s, std::string_view strLeqLabel);
