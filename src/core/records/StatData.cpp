#include "records/StatData.h"

#include "records/SampleArray.h"

#include <span>

namespace {
// The one rule of both windows: a level into the sum and the extremes.
StatData::Change Take(StatData &st, double d) {
  StatData::Change ch;
  st.dSum += d;
  if (d > st.dMax) {
    st.dMax = d;
    ch.bMax = true;
  }
  if (d < st.dMin) {
    st.dMin = d;
    ch.bMin = true;
  }
  return ch;
}
} // namespace

void StatData::Reset(StatStart start) {
  dMax = start.dMax;
  dMin = start.dMin;
  dAverage = 0;
  strMaxTime.clear();
  strMinTime.clear();
  strStartTime.clear();
  dSum = 0;
}

StatData::Change StatData::AddSample(const CSampleArray &samples, std::size_t i) {
  const Change ch = Take(*this, samples.Level(i));
  if (i == 0)
    strStartTime = samples.Time(0);
  if (ch.bMax) {
    strMaxTime = samples.Time(i);
    strMaxUnit = samples.Unit(i);
  }
  if (ch.bMin) {
    strMinTime = samples.Time(i);
    strMinUnit = samples.Unit(i);
  }
  dAverage = dSum / static_cast<double>(i + 1);
  return ch;
}

StatData ComputeStatistics(const CSampleArray &samples, StatStart start) {
  StatData st;
  st.Reset(start);
  const std::size_t n = samples.GetSize();
  // The texts only for the samples that set an extreme.
  std::size_t nMaxAt = n, nMinAt = n;
  samples.ForEachLevelSpan(0, n, [&](std::span<const double> levels, std::size_t nAt) {
    for (std::size_t k = 0; k < levels.size(); ++k) {
      const StatData::Change ch = Take(st, levels[k]);
      if (ch.bMax)
        nMaxAt = nAt + k;
      if (ch.bMin)
        nMinAt = nAt + k;
    }
  });
  if (nMaxAt < n) {
    st.strMaxTime = samples.Time(nMaxAt);
    st.strMaxUnit = samples.Unit(nMaxAt);
  }
  if (nMinAt < n) {
    st.strMinTime = samples.Time(nMinAt);
    st.strMinUnit = samples.Unit(nMinAt);
  }
  if (n > 0) {
    st.dAverage = st.dSum / static_cast<double>(n);
    st.dSampleRate = samples.SampleRate(0);
    st.strStartTime = samples.Time(0);
  }
  return st;
}
