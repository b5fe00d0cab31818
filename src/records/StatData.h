#pragma once

#include <cstddef>
#include <string>

class CObjData;

// Statistics of one set of samples; copied whole when handed to printing.
struct StatData {
  double dMax = 0;
  double dMin = 150.0;
  double dAverage = 0;
  std::string strMaxTime;
  std::string strMaxUnit;
  std::string strMinUnit;
  std::string strMinTime;
  std::string strStartTime;
  double dSum = 0;
  double dSampleRate = 0;

  // Back to the start values; the units and the sample rate are kept.
  void Reset();

  // After `rec` was appended the set holds `nCount` records, `first` the
  // oldest. Strict comparisons keep the earliest of equal extremes, so a
  // level of 0 never becomes the maximum and 150 never the minimum.
  // Returns which extremes changed, for the read-outs.
  struct Change {
    bool bMax = false;
    bool bMin = false;
  };
  Change AddSample(const CObjData &first, const CObjData &rec, std::size_t nCount);
};
