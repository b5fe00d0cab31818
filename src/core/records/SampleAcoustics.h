#pragma once

#include "records/AcousticStats.h"
#include "records/SampleArray.h"

#include <cstddef>
#include <string>

// The noise figures of samples [nFirst, nLast) of a set, taken as equally
// spaced `dIntervalSec` apart.
AcousticStats SampleAcousticStats(const CSampleArray &samples, std::size_t nFirst, std::size_t nLast,
                                  double dIntervalSec);
inline AcousticStats SampleAcousticStats(const CSampleArray &samples, double dIntervalSec) {
  return SampleAcousticStats(samples, 0, samples.GetSize(), dIntervalSec);
}
// "LAeq", "LCeq" or "Leq" for samples [nFirst, nLast).
std::string SampleLeqLabel(const CSampleArray &samples, std::size_t nFirst, std::size_t nLast);
inline std::string SampleLeqLabel(const CSampleArray &samples) {
  return SampleLeqLabel(samples, 0, samples.GetSize());
}
