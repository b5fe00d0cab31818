#include "records/AcousticStats.h"

#include "records/RankSelection.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kLn10Over10 = 0.23025850929940456840; // ln(10) / 10

// Relative energy of a level `dDelta` dB from the reference: 10^(dDelta/10).
double Energy(double dDelta) {
  return std::exp(dDelta * kLn10Over10);
}

// A level that is not a number carries no energy and sorts lowest; this
// also keeps the ordering strict for the selection.
double Sane(double dLevel) {
  return std::isnan(dLevel) ? -kInf : dLevel;
}

std::size_t ExceededIndex(std::size_t n, int nPercent) {
  const std::size_t x = static_cast<std::size_t>(std::clamp(nPercent, 1, 100));
  return std::min((x * n + 99) / 100, n) - 1; // ceil(x·n/100) − 1
}

// A meter reads in tenths of a dB, so a long series usually holds a few
// hundred distinct levels: counted per tenth, each distinct level's energy
// is worked out once and the ranks are read off the counts. Levels within
// ±kTenthsLimit tenths that are exactly a tenth (as "65.3" reads) qualify.
constexpr long kTenthsLimit = 5000;
constexpr std::size_t kTenthsFrom = 4096; // shorter series: the plain way costs less

struct TenthsCount {
  std::vector<std::uint32_t> counts; // [k + kTenthsLimit]: levels of k tenths
  long nTop = 0;                     // highest k present
};

// Counts `levels` into `counts`; false at the first level that is no tenth.
bool AddTenths(std::span<const double> levels, std::vector<std::uint32_t> &counts, long &nTop) {
  constexpr double dLimit = static_cast<double>(kTenthsLimit);
  for (double d : levels) {
    const double t = d * 10.0;
    if (!(t > -dLimit - 0.5 && t < dLimit + 0.5))
      return false; // also not a number
    const long k = static_cast<long>(t < 0 ? t - 0.5 : t + 0.5);
    if (static_cast<double>(k) / 10.0 != d || (k == 0 && std::signbit(d)))
      return false; // not a tenth, or minus zero, which a count would turn to plus

    ++counts[static_cast<std::size_t>(k + kTenthsLimit)];
    nTop = std::max(nTop, k);
  }
  return true;
}

bool CountableLength(std::size_t n) {
  return n >= kTenthsFrom && n <= std::numeric_limits<std::uint32_t>::max();
}

bool CountTenths(std::span<const double> levels, TenthsCount &out) {
  if (!CountableLength(levels.size()))
    return false;
  out.counts.assign(2 * kTenthsLimit + 1, 0);
  out.nTop = -kTenthsLimit;
  return AddTenths(levels, out.counts, out.nTop);
}

// The three exceeded levels from the counts, and with `pdLeq` Leq too.
void FiguresFromTenths(const TenthsCount &c, std::size_t n, AcousticStats &s, double *pdLeq) {
  const double dMax = static_cast<double>(c.nTop) / 10.0;
  const std::size_t ranks[] = {ExceededIndex(n, 10), ExceededIndex(n, 50), ExceededIndex(n, 90)};
  double *exceeded[] = {&s.dL10, &s.dL50, &s.dL90};
  std::size_t nAbove = 0, nRank = 0;
  double dSum = 0;
  for (long k = c.nTop; k >= -kTenthsLimit && (pdLeq || nRank < 3); --k) {
    const std::uint32_t nCount = c.counts[static_cast<std::size_t>(k + kTenthsLimit)];
    if (nCount == 0)
      continue;
    const double dLevel = static_cast<double>(k) / 10.0;
    if (pdLeq)
      dSum += nCount * Energy(dLevel - dMax);
    nAbove += nCount;
    for (; nRank < 3 && ranks[nRank] < nAbove; ++nRank)
      *exceeded[nRank] = dLevel;
  }
  if (pdLeq)
    *pdLeq = dMax + 10.0 * std::log10(dSum / static_cast<double>(n));
}

void AppendTwoDigits(std::string &out, long long n) {
  out += static_cast<char>('0' + n / 10);
  out += static_cast<char>('0' + n % 10);
}
} // namespace

AcousticStats ComputeAcousticStats(std::span<const double> levels, double dIntervalSec) {
  AcousticStats s;
  s.nCount = levels.size();
  if (s.nCount == 0)
    return s;
  const double n = static_cast<double>(s.nCount);
  s.dDurationSec = n * dIntervalSec;
  if (TenthsCount tenths; CountTenths(levels, tenths)) {
    FiguresFromTenths(tenths, s.nCount, s, &s.dLeq);
    s.dSel = SoundExposureLevel(s.dLeq, s.dDurationSec);
    return s;
  }
  double dMax = -kInf;
  for (double d : levels)
    dMax = std::max(dMax, Sane(d));
  // Energies relative to the highest level: the largest term is 1, so the
  // sum can neither overflow nor lose the loud samples among quiet ones.
  double dSum = 1;
  if (std::isfinite(dMax)) {
    dSum = 0;
    for (double d : levels)
      dSum += Energy(Sane(d) - dMax);
  }
  s.dLeq = dMax + 10.0 * std::log10(dSum / n);
  s.dSel = SoundExposureLevel(s.dLeq, s.dDurationSec);

  ComputeExceededLevels(levels, s);
  return s;
}

void CTenthsCounter::Add(std::span<const double> levels) {
  m_nCount += levels.size();
  if (!m_bTenths || levels.empty())
    return;
  if (m_counts.empty()) {
    m_counts.assign(2 * kTenthsLimit + 1, 0);
    m_nTop = -kTenthsLimit;
  }
  m_bTenths = AddTenths(levels, m_counts, m_nTop);
}

std::optional<AcousticStats> CTenthsCounter::Figures(double dIntervalSec) const {
  if (!m_bTenths || !CountableLength(m_nCount))
    return std::nullopt;
  // as ComputeAcousticStats takes counted levels
  AcousticStats s;
  s.nCount = m_nCount;
  s.dDurationSec = static_cast<double>(s.nCount) * dIntervalSec;
  TenthsCount c;
  c.counts = m_counts;
  c.nTop = m_nTop;
  FiguresFromTenths(c, s.nCount, s, &s.dLeq);
  s.dSel = SoundExposureLevel(s.dLeq, s.dDurationSec);
  return s;
}

void ComputeExceededLevels(std::span<const double> levels, AcousticStats &s) {
  const std::size_t n = levels.size();
  if (n == 0)
    return;
  if (TenthsCount tenths; CountTenths(levels, tenths)) {
    FiguresFromTenths(tenths, n, s, nullptr);
    return;
  }
  const std::size_t ranks[] = {ExceededIndex(n, 10), ExceededIndex(n, 50), ExceededIndex(n, 90)};
  double exceeded[3];
  SelectDescendingRanks(levels, ranks, exceeded);
  s.dL10 = exceeded[0];
  s.dL50 = exceeded[1];
  s.dL90 = exceeded[2];
}

double LevelExceeded(std::span<const double> levels, int nPercent) {
  if (levels.empty())
    return 0;
  const std::size_t rank = ExceededIndex(levels.size(), nPercent);
  double d = 0;
  SelectDescendingRanks(levels, {&rank, 1}, {&d, 1});
  return d;
}

void CLeqAccumulator::Add(double dLevel) {
  dLevel = Sane(dLevel);
  if (m_nCount == 0) {
    m_dRef = dLevel;
    m_dSum = 1;
  } else if (dLevel > m_dRef) {
    m_dSum = m_dSum * Energy(m_dRef - dLevel) + 1;
    m_dRef = dLevel;
  } else if (dLevel == m_dRef) {
    m_dSum += 1; // also two infinite levels, whose difference is not a number
  } else {
    m_dSum += Energy(dLevel - m_dRef);
  }
  ++m_nCount;
}

void CLeqAccumulator::Clear() {
  m_nCount = 0;
  m_dRef = 0;
  m_dSum = 0;
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
    return kNaN;
  return dLeq + 10.0 * std::log10(dSeconds);
}

std::string FormatDuration(double dSeconds) {
  // Beyond a hundred million years nobody reads the digits.
  if (!(dSeconds > 0))
    dSeconds = 0;
  const long long nTotal = std::llround(std::min(dSeconds, 3.0e15));
  std::string out;
  char buf[24];
  auto res = std::to_chars(buf, buf + sizeof buf, nTotal / 3600);
  out.assign(buf, res.ptr);
  out += ':';
  AppendTwoDigits(out, nTotal / 60 % 60);
  out += ':';
  AppendTwoDigits(out, nTotal % 60);
  return out;
}

void CUnitTally::Add(std::string_view strUnit) {
  if (!m_bAny) {
    m_strUnit.assign(strUnit);
    m_bAny = true;
  } else if (!m_bMixed && strUnit != m_strUnit) {
    m_bMixed = true;
  }
}

void CUnitTally::Clear() {
  m_strUnit.clear();
  m_bAny = false;
  m_bMixed = false;
}

std::string LeqLabel(std::string_view strCommonUnit) {
  if (strCommonUnit == "dBA")
    return "LAeq";
  if (strCommonUnit == "dBC")
    return "LCeq";
  return "Leq";
}

std::string FormatDecibels(double dLevel) {
  if (std::isnan(dLevel))
    return {};
  char buf[400]; // the widest double in fixed notation fits
  auto res = std::to_chars(buf, buf + sizeof buf, dLevel, std::chars_format::fixed, 1);
  return std::string(buf, res.ptr);
}

std::vector<AcousticFigure> AcousticFigures(const AcousticStats &s, std::string_view strLeqLabel,
                                            std::string_view strDurationLabel) {
  if (s.nCount == 0)
    return {};
  auto level = [](std::string_view label, double d) {
    return AcousticFigure{std::string(label), FormatDecibels(d), d};
  };
  return {level(strLeqLabel, s.dLeq),
          level("L10", s.dL10),
          level("L50", s.dL50),
          level("L90", s.dL90),
          level("SEL", s.dSel),
          {std::string(strDurationLabel), FormatDuration(s.dDurationSec), s.dDurationSec}};
}
