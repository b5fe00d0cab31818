#include "assess/PeriodLevels.h"

#include "records/RankSelection.h"

#include <algorithm>
#include <array>

namespace {
std::size_t RankIndex(std::size_t n, std::size_t nPercent) {
  return std::min((nPercent * n + 99) / 100, n) - 1; // ceil(x·n/100) − 1
}
} // namespace

void CPeriodLevels::Add(double dLevel, int nTenths) {
  ++m_nCount;
  if (!m_bAsLevels) {
    if (nTenths >= 0) {
      ++m_counts[static_cast<std::size_t>(nTenths)];
      m_nLow = std::min(m_nLow, nTenths);
      m_nHigh = std::max(m_nHigh, nTenths);
      return;
    }
    KeepAsLevels();
  }
  m_levels.push_back(dLevel);
}

void CPeriodLevels::KeepAsLevels() {
  for (int k = m_nLow; k <= m_nHigh; ++k) {
    std::uint32_t &c = m_counts[static_cast<std::size_t>(k)];
    m_levels.insert(m_levels.end(), c, static_cast<double>(k) / 10.0);
    c = 0;
  }
  m_nLow = kTop + 1;
  m_nHigh = -1;
  m_bAsLevels = true;
}

CPeriodLevels::Exceeded CPeriodLevels::Figures() const {
  Exceeded e;
  if (m_nCount == 0)
    return e;
  const std::array<std::size_t, 3> ranks = {RankIndex(m_nCount, 10), RankIndex(m_nCount, 50),
                                            RankIndex(m_nCount, 90)};
  std::array<double, 3> out{};
  if (m_bAsLevels) {
    SelectDescendingRanks(m_levels, ranks, out);
  } else {
    std::size_t nAbove = 0, r = 0;
    for (int k = m_nHigh; k >= m_nLow && r < 3; --k) {
      nAbove += m_counts[static_cast<std::size_t>(k)];
      for (; r < 3 && ranks[r] < nAbove; ++r)
        out[r] = static_cast<double>(k) / 10.0;
    }
  }
  e.dL10 = out[0];
  e.dL50 = out[1];
  e.dL90 = out[2];
  return e;
}

void CPeriodLevels::Clear() {
  if (m_nHigh >= m_nLow)
    std::fill(m_counts.begin() + m_nLow, m_counts.begin() + m_nHigh + 1, 0u);
  m_nLow = kTop + 1;
  m_nHigh = -1;
  m_levels.clear();
  m_bAsLevels = false;
  m_nCount = 0;
}
