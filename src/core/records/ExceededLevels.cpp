#include "records/ExceededLevels.h"

#include <cmath>
#include <limits>

namespace {
double Sane(double d) {
  return std::isnan(d) ? -std::numeric_limits<double>::infinity() : d;
}
} // namespace

CExceededLevels::CExceededLevels() {
  Clear();
}

void CExceededLevels::Clear() {
  m_counts.clear();
  m_nCount = 0;
  m_bExact = true;
  const int percents[] = {10, 50, 90};
  for (int k = 0; k < 3; ++k)
    m_ranks[k] = {percents[k], m_counts.end(), 0};
}

void CExceededLevels::Assign(std::span<const double> levels) {
  Clear();
  for (double d : levels) {
    Add(d);
    if (!m_bExact)
      return;
  }
}

void CExceededLevels::Add(double dLevel) {
  if (!m_bExact)
    return;
  dLevel = Sane(dLevel);
  const auto [it, bNew] = m_counts.try_emplace(dLevel, 0);
  ++it->second;
  ++m_nCount;
  if (bNew && m_counts.size() > kMaxDistinct) {
    m_counts.clear();
    m_bExact = false;
    return;
  }
  for (Rank &r : m_ranks) {
    if (r.it == m_counts.end())
      r = {r.nPercent, it, 0}; // the first sample
    else if (dLevel > r.it->first)
      ++r.nAbove;
    Follow(r);
  }
}

void CExceededLevels::Follow(Rank &r) {
  // ceil(x·n/100) − 1, as a whole series is ranked; it moves by at most one
  // per sample, so these loops take a step or two.
  const std::size_t x = static_cast<std::size_t>(r.nPercent);
  const std::size_t nRank = (x * m_nCount + 99) / 100 - 1;
  while (nRank < r.nAbove) {
    --r.it;
    r.nAbove -= r.it->second;
  }
  while (nRank >= r.nAbove + r.it->second) {
    r.nAbove += r.it->second;
    ++r.it;
  }
}

void CExceededLevels::Fill(AcousticStats &s) const {
  if (!m_bExact || m_nCount == 0)
    return;
  s.dL10 = m_ranks[0].it->first;
  s.dL50 = m_ranks[1].it->first;
  s.dL90 = m_ranks[2].it->first;
}
