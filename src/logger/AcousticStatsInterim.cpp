// Until the statistics library is in the core, the logger carries these
// definitions itself; this file goes when it lands.
#include "records/AcousticStats.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

AcousticStats ComputeAcousticStats(std::span<const double> levels, double dIntervalSec) {
  AcousticStats s;
  s.nCount = levels.size();
  if (levels.empty())
    return s;
  CLeqAccumulator acc;
  for (double d : levels)
    acc.Add(d);
  s.dLeq = acc.Leq();
  std::vector<double> copy(levels.begin(), levels.end());
  s.dL10 = LevelExceeded(copy, 10);
  s.dL50 = LevelExceeded(copy, 50);
  s.dL90 = LevelExceeded(copy, 90);
  s.dDurationSec = static_cast<double>(s.nCount) * dIntervalSec;
  s.dSel = SoundExposureLevel(s.dLeq, s.dDurationSec);
  return s;
}

double LevelExceeded(std::span<double> levels, int nPercent) {
  if (levels.empty())
    return 0;
  std::size_t n = levels.size();
  std::size_t k = (static_cast<std::size_t>(nPercent) * n + 99) / 100;
  k = k == 0 ? 0 : k - 1;
  std::nth_element(levels.begin(), levels.begin() + static_cast<std::ptrdiff_t>(k), levels.end(),
                   std::greater<double>());
  return levels[k];
}

void CLeqAccumulator::Add(double dLevel) {
  if (m_nCount == 0 || dLevel > m_dRef) {
    m_dSum = m_nCount == 0 ? 0 : m_dSum * std::pow(10.0, (m_dRef - dLevel) / 10.0);
    m_dRef = dLevel;
  }
  m_dSum += std::pow(10.0, (dLevel - m_dRef) / 10.0);
  ++m_nCount;
}

void CLeqAccumulator::Clear() {
  *this = CLeqAccumulator();
}

double CLeqAccumulator::Leq() const {
  if (m_nCount == 0)
    return 0;
  return m_dRef + 10.0 * std::log10(m_dSum / static_cast<double>(m_nCount));
}

double CLeqAccumulator::Sel(double dIntervalSec) const {
  return SoundExposureLevel(Leq(), static_cast<double>(m_nCount) * dIntervalSec);
}

double SoundExposureLevel(double dLeq, double dSeconds) {
  if (!(dSeconds > 0))
    return std::numeric_limits<double>::quiet_NaN();
  return dLeq + 10.0 * std::log10(dSeconds);
}

std::string FormatDuration(double dSeconds) {
  long long s = std::isfinite(dSeconds) && dSeconds > 0 ? std::llround(dSeconds) : 0;
  char buf[40];
  long long h = s / 3600, m = s / 60 % 60, sec = s % 60;
  std::string out = std::to_string(h) + ":";
  buf[0] = static_cast<char>('0' + m / 10);
  buf[1] = static_cast<char>('0' + m % 10);
  buf[2] = ':';
  buf[3] = static_cast<char>('0' + sec / 10);
  buf[4] = static_cast<char>('0' + sec % 10);
  return out + std::string(buf, 5);
}

void CUnitTally::Add(std::string_view strUnit) {
  if (!m_bAny) {
    m_strUnit = strUnit;
    m_bAny = true;
  } else if (strUnit != m_strUnit) {
    m_bMixed = true;
  }
}

void CUnitTally::Clear() {
  *this = CUnitTally();
}

std::string LeqLabel(std::string_view strCommonUnit) {
  if (strCommonUnit == "dBA")
    return "LAeq";
  if (strCommonUnit == "dBC")
    return "LCeq";
  return "Leq";
}
