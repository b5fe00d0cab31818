#pragma once

#include "records/SampleArray.h"

#include <cstddef>
#include <optional>
#include <string>

// Statistics between cursors A and B, inclusive, as the read-outs show
// them: the maximum starts at 0 and the minimum at 150, and only a strictly
// greater or smaller level replaces them, so ties keep the earliest sample
// and an extreme that never moved has no sample.
struct CursorStats {
  std::optional<std::size_t> maxIndex;
  std::optional<std::size_t> minIndex;
  double dSum = 0;
  int nCount = 0; // B - A + 1
  double dLeq = 0;
  std::string strCommonUnit; // the weighting all share, or empty
  double Average() const { return dSum / nCount; }
};

// Indices must satisfy 0 <= a <= b < samples.GetSize().
CursorStats ComputeCursorStats(const CSampleArray &samples, std::size_t a, std::size_t b);
