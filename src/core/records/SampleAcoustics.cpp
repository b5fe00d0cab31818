#include "records/SampleAcoustics.h"

#include <algorithm>
#include <span>
#include <vector>

AcousticStats SampleAcousticStats(const CSampleArray &samples, std::size_t nFirst, std::size_t nLast,
                                  double dIntervalSec) {
  nLast = std::min(nLast, samples.GetSize());
  // a long series of tenths is counted; any other is gathered (the spans
  // live only as long as each call)
  CTenthsCounter tenths;
  samples.ForEachLevelSpan(nFirst, nLast, [&](std::span<const double> l, std::size_t) { tenths.Add(l); });
  if (const std::optional<AcousticStats> counted = tenths.Figures(dIntervalSec))
    return *counted;
  std::vector<double> levels;
  levels.reserve(nFirst < nLast ? nLast - nFirst : 0);
  samples.ForEachLevelSpan(nFirst, nLast, [&](std::span<const double> l, std::size_t) {
    levels.insert(levels.end(), l.begin(), l.end());
  });
  return ComputeAcousticStats(levels, dIntervalSec);
}

std::string SampleLeqLabel(const CSampleArray &samples, std::size_t nFirst, std::size_t nLast) {
  nLast = std::min(nLast, samples.GetSize());
  CUnitTally tally;
  if (nFirst < nLast)
    samples.ForEachUnitRun(nFirst, nLast, [&](const std::string &u) { tally.Add(u); });
  return LeqLabel(tally.Common());
}
