#include "sim/LevelSource.h"

CLevelSource::CLevelSource(std::vector<double> levels) : m_levels(std::move(levels)) {
  if (m_levels.empty())
    m_levels.push_back(0.0);
}

CLevelSource CLevelSource::Steps(double dFrom, double dStep, int nCount) {
  std::vector<double> levels;
  for (int i = 0; i < nCount; ++i)
    levels.push_back(dFrom + dStep * i);
  return CLevelSource(std::move(levels));
}

double CLevelSource::Next() {
  double d = m_levels[m_nNext];
  m_nNext = (m_nNext + 1) % m_levels.size();
  return d;
}
