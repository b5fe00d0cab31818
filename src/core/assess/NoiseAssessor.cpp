#include "assess/NoiseAssessor.h"

#include "assess/Exposure.h"
#include "records/AcousticStats.h"
#include "records/SampleStore.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr CivilSeconds kDay = 86400;
constexpr CivilSeconds kHour = 3600;
constexpr double kSlack = 1e-9; // sums of intervals are not exact

CivilSeconds FloorTo(CivilSeconds t, CivilSeconds step) {
  const CivilSeconds r = t % step;
  return t - (r < 0 ? r + step : r);
}

double Percent(double dPart, double dWhole) {
  return dWhole > 0 ? std::min(100.0, 100.0 * dPart / dWhole) : 0.0;
}
} // namespace

CNoiseAssessor::CNoiseAssessor(const AssessSettings &settings)
    : m_settings(settings), m_pEnergy(&CLevelEnergy::Get()) {
  if (m_settings.nPeriodSec <= 0)
    m_settings.nPeriodSec = kPeriodSeconds[kDefaultPeriodIndex];
}

CNoiseAssessor::Change CNoiseAssessor::Add(double dLevel, CivilSeconds t, double dRateSec) {
  Change c;
  const int nTenths = CLevelEnergy::Tenths(dLevel);
  const double e = (*m_pEnergy)(dLevel, nTenths);
  if (m_nCount == 0) {
    m_tFirst = t;
    m_dMax = m_dMin = dLevel;
  } else {
    const CivilSeconds dt = t - m_tLast;
    if ((dt < 0 || static_cast<double>(dt) > m_dLastRate + 1.0) && m_open && CloseEvent())
      c.nFlags |= Change::kEventClosed;
  }
  ++m_nCount;
  m_dMax = std::max(m_dMax, dLevel);
  m_dMin = std::min(m_dMin, dLevel);
  m_tLast = t;
  m_dLastRate = dRateSec;
  m_dMeasuredSec += dRateSec;

  if (m_tPeriod && (t < *m_tPeriod || t >= *m_tPeriod + m_settings.nPeriodSec)) {
    ClosePeriod();
    c.nFlags |= Change::kPeriodClosed;
  }
  if (!m_tPeriod) {
    m_tPeriod = FloorTo(t, m_settings.nPeriodSec);
    m_dPeriodMax = m_dPeriodMin = dLevel;
  }
  m_periodSum.Add(e, dRateSec);
  m_dPeriodMax = std::max(m_dPeriodMax, dLevel);
  m_dPeriodMin = std::min(m_dPeriodMin, dLevel);
  m_periodLevels.Add(dLevel, nTenths);

  if (t < m_tPartFrom || t >= m_tPartTo)
    PlaceDayPart(t);
  m_parts[m_nPart].Add(e, dRateSec);

  if (m_settings.dThreshold) {
    if (dLevel >= *m_settings.dThreshold) {
      m_dAboveSec += dRateSec;
      if (!m_open) {
        m_open = OpenEventData{m_nCount - 1, m_nCount - 1, t, t, {}, {}, dLevel};
        c.nFlags |= Change::kEventOpened;
      }
      OpenEventData &o = *m_open;
      o.sum.n += o.pending.n;
      o.sum.dSum += o.pending.dSum;
      o.sum.dSec += o.pending.dSec;
      o.pending = {};
      o.sum.Add(e, dRateSec);
      o.nLast = m_nCount - 1;
      o.tEnd = t;
      o.dLmax = std::max(o.dLmax, dLevel);
    } else if (m_open) {
      m_open->pending.Add(e, dRateSec);
      if (m_open->pending.dSec + kSlack >= m_settings.dReleaseSec && CloseEvent())
        c.nFlags |= Change::kEventClosed;
    }
  }
  return c;
}

void CNoiseAssessor::AddRun(std::span<const double> levels, std::span<const CivilSeconds> times,
                            double dRateSec) {
  CivilSeconds t = m_tLast;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    if (times[i] != CSampleStore::kNoClockSeconds)
      t = times[i];
    Add(levels[i], t, dRateSec);
  }
}

CNoiseAssessor::Change CNoiseAssessor::Finish() {
  Change c = EndEventAtGap();
  if (m_tPeriod) {
    ClosePeriod();
    c.nFlags |= Change::kPeriodClosed;
  }
  return c;
}

CNoiseAssessor::Change CNoiseAssessor::EndEventAtGap() {
  Change c;
  if (m_open && CloseEvent())
    c.nFlags |= Change::kEventClosed;
  return c;
}

bool CNoiseAssessor::CloseEvent() {
  const OpenEventData o = *m_open;
  m_open.reset();
  if (o.sum.dSec + kSlack < m_settings.dMinDurationSec)
    return false; // OpenEvent's bLongEnough asks the same
  NoiseEvent ev;
  ev.nFirst = o.nFirst;
  ev.nLast = o.nLast;
  ev.tStart = o.tStart;
  ev.tEnd = o.tEnd;
  ev.dDurationSec = o.sum.dSec;
  ev.dLmax = o.dLmax;
  ev.dLeq = LevelOfEnergy(o.sum.dSum, static_cast<double>(o.sum.n));
  ev.dSel = SoundExposureLevel(ev.dLeq, ev.dDurationSec);
  m_events.push_back(ev);
  return true;
}

std::optional<PeriodFigures> CNoiseAssessor::OpenPeriod() const {
  if (!m_tPeriod)
    return std::nullopt;
  PeriodFigures p;
  p.tStart = *m_tPeriod;
  p.tEnd = p.tStart + m_settings.nPeriodSec;
  p.nSamples = m_periodSum.n;
  p.dCoveragePercent = Percent(m_periodSum.dSec, m_settings.nPeriodSec);
  p.dLeq = LevelOfEnergy(m_periodSum.dSum, static_cast<double>(m_periodSum.n));
  p.dLmax = m_dPeriodMax;
  p.dLmin = m_dPeriodMin;
  const CPeriodLevels::Exceeded x = m_periodLevels.Figures();
  p.dL10 = x.dL10;
  p.dL50 = x.dL50;
  p.dL90 = x.dL90;
  return p;
}

void CNoiseAssessor::ClosePeriod() {
  m_periods.push_back(*OpenPeriod());
  m_tPeriod.reset();
  m_periodSum = {};
  m_periodLevels.Clear();
}

std::optional<CNoiseAssessor::OpenEventState> CNoiseAssessor::OpenEvent() const {
  if (!m_open)
    return std::nullopt;
  const double dSec = m_open->sum.dSec;
  return OpenEventState{m_open->nFirst,         m_open->tStart, m_open->dLmax,
                        m_open->pending.n == 0, dSec,           dSec + kSlack >= m_settings.dMinDurationSec};
}

void CNoiseAssessor::PlaceDayPart(CivilSeconds t) {
  const CivilSeconds day = FloorTo(t, kDay);
  const CivilSeconds s = t - day;
  if (s < 7 * kHour) {
    m_nPart = static_cast<int>(DayPart::Night);
    m_tPartFrom = day;
    m_tPartTo = day + 7 * kHour;
  } else if (s < 19 * kHour) {
    m_nPart = static_cast<int>(DayPart::Day);
    m_tPartFrom = day + 7 * kHour;
    m_tPartTo = day + 19 * kHour;
  } else if (s < 23 * kHour) {
    m_nPart = static_cast<int>(DayPart::Evening);
    m_tPartFrom = day + 19 * kHour;
    m_tPartTo = day + 23 * kHour;
  } else {
    m_nPart = static_cast<int>(DayPart::Night);
    m_tPartFrom = day + 23 * kHour;
    m_tPartTo = day + kDay;
  }
}

DayEveningNight CNoiseAssessor::DayParts() const {
  DayEveningNight d;
  // each part's hours count once per day the series spans
  const double dSpan = static_cast<double>(m_tLast - m_tFirst) + m_dLastRate;
  const double dDays = std::max(1.0, std::ceil(dSpan / static_cast<double>(kDay) - kSlack));
  const double hours[3] = {12, 4, 8};
  DayPartFigures *out[3] = {&d.day, &d.evening, &d.night};
  for (int i = 0; i < 3; ++i) {
    const EnergySum &s = m_parts[i];
    out[i]->nSamples = s.n;
    out[i]->dMeasuredSec = s.dSec;
    out[i]->dCoveragePercent = Percent(s.dSec, hours[i] * 3600.0 * dDays);
    if (s.n > 0)
      out[i]->dLeq = LevelOfEnergy(s.dSum, static_cast<double>(s.n));
  }
  if (d.day.nSamples > 0 && d.evening.nSamples > 0 && d.night.nSamples > 0)
    d.dLden = DayEveningNightLevel(d.day.dLeq, d.evening.dLeq, d.night.dLeq);
  return d;
}
