#include "assess/SeriesAssessment.h"

#include "assess/Exposure.h"
#include "assess/NoiseAssessor.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {
std::optional<CivilSeconds> FirstTime(const CSampleArray &a) {
  for (const LevelStretch &st : a.Stretches())
    if (const std::optional<CivilSeconds> t = st.pStore->FirstClockSeconds(st.nStoreFirst, st.nCount))
      return t;
  return std::nullopt;
}

// Feeds the samples of `a` to the assessor; levels are counted and units
// gathered for the run figures.
void Feed(const CSampleArray &a, CNoiseAssessor &assessor, CUnitTally &units, CTenthsCounter &tenths,
          double &dFirstRate) {
  for (const LevelStretch &st : a.Stretches()) {
    st.pStore->ForEachRateRun(
        st.nStoreFirst, st.nCount,
        [&](std::size_t nFirst, std::size_t nCount, double dRate, const std::string &u) {
          units.Add(u);
          if (assessor.Count() == 0)
            dFirstRate = dRate;
          st.pStore->ForEachSampleSpan(
              nFirst, nCount, [&](std::span<const double> lv, std::span<const CivilSeconds> t, std::size_t) {
                tenths.Add(lv);
                assessor.AddRun(lv, t, dRate);
              });
        });
  }
}
} // namespace

std::vector<std::size_t> TimeOrder(std::span<const CSampleArray> parts) {
  std::vector<std::optional<CivilSeconds>> first;
  for (const CSampleArray &a : parts)
    first.push_back(FirstTime(a));
  std::vector<std::size_t> order(parts.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    if (!first[a] || !first[b])
      return first[a].has_value() && !first[b].has_value();
    return *first[a] < *first[b];
  });
  return order;
}

SeriesAssessment AssessSeries(const CSampleArray &samples, const AssessSettings &settings) {
  return AssessSeries(std::span<const CSampleArray>(&samples, 1), settings);
}

SeriesAssessment AssessSeries(std::span<const CSampleArray> parts, const AssessSettings &settings,
                              std::vector<std::size_t> *pOrder) {
  SeriesAssessment r;
  r.settings = settings;
  const std::vector<std::size_t> order = TimeOrder(parts);
  if (pOrder)
    *pOrder = order;
  CNoiseAssessor assessor(settings);
  CUnitTally units;
  double dFirstRate = 0;
  CTenthsCounter tenths;
  for (std::size_t i : order)
    Feed(parts[i], assessor, units, tenths, dFirstRate);
  assessor.Finish();

  r.nSamples = assessor.Count();
  r.weighting = WeightingOfUnit(units.Common(), r.nSamples > 0);
  if (r.nSamples == 0)
    return r;
  r.tStart = assessor.FirstTime();
  r.tEnd = assessor.LastTime();
  r.dLmax = assessor.Lmax();
  r.dLmin = assessor.Lmin();
  if (const std::optional<AcousticStats> counted = tenths.Figures(dFirstRate)) {
    r.stats = *counted;
  } else {
    std::vector<double> levels;
    for (std::size_t i : order)
      for (const LevelStretch &st : parts[i].Stretches())
        st.pStore->CopyLevels(st.nStoreFirst, st.nCount, levels);
    r.stats = ComputeAcousticStats(levels, dFirstRate);
  }
  r.dDurationSec = r.stats.dDurationSec;
  if (std::abs(assessor.MeasuredSec() - r.dDurationSec) > 1e-6 * std::max(1.0, r.dDurationSec)) {
    // parts sampled at other intervals: their own time counts
    r.dDurationSec = r.stats.dDurationSec = assessor.MeasuredSec();
    r.stats.dSel = SoundExposureLevel(r.stats.dLeq, r.dDurationSec);
  }
  r.periods = assessor.Periods();
  r.events = assessor.Events();
  r.dTimeAboveSec = assessor.TimeAboveSec();
  r.den = assessor.DayParts();
  const double dTe = settings.dExposureHours ? *settings.dExposureHours * 3600.0 : r.dDurationSec;
  r.exposure = DailyExposureOf(r.stats.dLeq, dTe, r.weighting);
  return r;
}
