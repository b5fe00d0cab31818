#include "records/SampleAcoustics.h"

#include <algorithm>
#include <vector>

AcousticStats SampleAcousticStats(const CSampleArray &samples, std::size_t nFirst, std::size_t nLast,
                                  double dIntervalSec) {
  nLast = std::min(nLast, samples.GetSize());
  std::vector<double> levels;
  if (nFirst < nLast) {
    levels.reserve(nLast - nFirst);
    for (std::size_t i = nFirst; i < nLast; ++i)
      levels.push_back(samples[i].m_dValue);
  }
  return ComputeAcousticStats(levels, dIntervalSec);
}

std::string SampleLeqLabel(const CSampleArray &samples, std::size_t nFirst, std::size_t nLast) {
  nLast = std::min(nLast, samples.GetSize());
  CUnitTally tally;
  for (std::size_t i = nFirst; i < nLast; ++i)
    tally.Add(samples[i].m_strUnit);
  return LeqLabel(tally.Common());
}
