#include "assess/LiveAssessment.h"

#include "assess/Exposure.h"
#include "assess/LevelEnergy.h"

CLiveAssessment::CLiveAssessment(const AssessSettings &settings) : m_assessor(settings) {}

void CLiveAssessment::SetSettings(const AssessSettings &settings) {
  m_assessor = CNoiseAssessor(settings);
  Restart();
}

void CLiveAssessment::Restart() {
  m_assessor = CNoiseAssessor(m_assessor.Settings());
  m_units.Clear();
  m_dEnergy = 0;
  m_nFed = 0;
  m_bFinished = false;
}

CNoiseAssessor::Change CLiveAssessment::Update(const CSampleArray &samples, bool bFinished) {
  const std::uint64_t nRevision = samples.Store() ? samples.Store()->Revision() : 0;
  if (samples.Source() != m_pSource || nRevision != m_nRevision || samples.GetSize() < m_nFed ||
      (m_bFinished && samples.GetSize() != m_nFed)) {
    Restart();
    m_pSource = samples.Source();
    m_nRevision = nRevision;
  }
  CNoiseAssessor::Change c;
  const CLevelEnergy &energy = CLevelEnergy::Get();
  CivilSeconds t = m_assessor.LastTime();
  for (const LevelStretch &st : samples.Stretches()) {
    const std::size_t nFrom = std::max(m_nFed, st.nFirst), nTo = st.nFirst + st.nCount;
    if (nFrom >= nTo)
      continue;
    st.pStore->ForEachRateRun(
        st.nStoreFirst + (nFrom - st.nFirst), nTo - nFrom,
        [&](std::size_t nFirst, std::size_t nCount, double dRate, const std::string &u) {
          m_units.Add(u);
          st.pStore->ForEachSampleSpan(
              nFirst, nCount,
              [&](std::span<const double> levels, std::span<const CivilSeconds> times, std::size_t) {
                for (std::size_t k = 0; k < levels.size(); ++k) {
                  if (times[k] != CSampleStore::kNoClockSeconds)
                    t = times[k];
                  m_dEnergy += energy(levels[k]);
                  c.nFlags |= m_assessor.Add(levels[k], t, dRate).nFlags;
                }
              });
        });
    m_nFed = nTo;
  }
  if (bFinished && !m_bFinished) {
    c.nFlags |= m_assessor.Finish().nFlags;
    m_bFinished = true;
  }
  return c;
}

SeriesAssessment CLiveAssessment::Snapshot() const {
  SeriesAssessment r;
  r.settings = m_assessor.Settings();
  r.nSamples = m_assessor.Count();
  r.weighting = WeightingOfUnit(m_units.Common(), r.nSamples > 0);
  if (r.nSamples == 0)
    return r;
  r.tStart = m_assessor.FirstTime();
  r.tEnd = m_assessor.LastTime();
  r.dDurationSec = m_assessor.MeasuredSec();
  r.stats.nCount = r.nSamples;
  r.stats.dLeq = LevelOfEnergy(m_dEnergy, static_cast<double>(r.nSamples));
  r.stats.dDurationSec = r.dDurationSec;
  r.stats.dSel = SoundExposureLevel(r.stats.dLeq, r.dDurationSec);
  r.dLmax = m_assessor.Lmax();
  r.dLmin = m_assessor.Lmin();
  r.periods = m_assessor.Periods();
  if (const std::optional<PeriodFigures> open = m_assessor.OpenPeriod())
    r.periods.push_back(*open);
  r.events = m_assessor.Events();
  r.dTimeAboveSec = m_assessor.TimeAboveSec();
  r.den = m_assessor.DayParts();
  const AssessSettings &s = r.settings;
  r.exposure = DailyExposureOf(r.stats.dLeq, s.dExposureHours ? *s.dExposureHours * 3600.0 : r.dDurationSec,
                               r.weighting);
  return r;
}
