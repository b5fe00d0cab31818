#include "logger/LevelHistogram.h"

#include <cmath>

void CLevelHistogram::Add(double dLevel) {
  ++m_counts[std::llround(dLevel * 100.0)];
  ++m_nCount;
}

double CLevelHistogram::LevelExceeded(int nPercent) const {
  if (m_nCount == 0)
    return 0;
  std::uint64_t k = (static_cast<std::uint64_t>(nPercent) * m_nCount + 99) / 100;
  k = k == 0 ? 0 : k - 1;
  std::uint64_t seen = 0;
  for (const auto &[nLevel, n] : m_counts) {
    seen += n;
    if (seen > k)
      return static_cast<double>(nLevel) / 100.0;
  }
  return static_cast<double>(m_counts.rbegin()->first) / 100.0;
}
