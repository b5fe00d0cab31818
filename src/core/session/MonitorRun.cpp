#include "session/MonitorRun.h"

#include "files/NumberText.h"
#include "records/LocalTimeText.h"
#include "records/SampleArray.h"

#include <algorithm>
#include <cmath>
#include <string>

double RateFromText(std::string_view text) {
  return LenientNumber(text); // "0.5" is half a second under every locale
}

int SampleIntervalMs(double dRate) {
  return static_cast<int>(std::trunc(dRate * 1000.0));
}

std::string FormatLiveTime(std::time_t t) {
  return FormatTimeText(LocalCivilFields(t), TimeStyle::PaddedHour);
}

std::chrono::steady_clock::duration FreshnessWindow(const CLineTiming &st) {
  return std::max<std::chrono::steady_clock::duration>(std::chrono::seconds(1), 2 * st.m_frameInterval);
}

bool HasFreshReading(const CLineTiming &st, SteadyTime now) {
  return st.m_nFramesDecoded > 0 && now - st.m_tLastFrame <= FreshnessWindow(st);
}

void CMonitorRun::ClearSamples() {
  m_stat.Reset();
  m_live.RemoveAll();
  RefreshNoise();
}

void CMonitorRun::RefreshNoise() {
  const std::size_t n = m_live.GetSize();
  m_leq.Clear();
  m_units.Clear();
  // levels and units straight from the store: a whole sample would write its time text
  std::vector<double> levels;
  m_live.CopyLevels(0, n, levels);
  for (double d : levels)
    m_leq.Add(d);
  m_exceeded.Assign(levels);
  if (n > 0)
    m_live.ForEachUnitRun(0, n, [this](const std::string &u) { m_units.Add(u); });
  m_noise = ComputeAcousticStats(levels, m_stat.dSampleRate);
}

void CMonitorRun::AddToNoise(const CObjData &rec, std::chrono::steady_clock::time_point tSteady) {
  // Samples that reached the store some other way (a recovered run) are
  // taken in whole first.
  if (m_leq.Count() + 1 != m_live.GetSize()) {
    m_tPercentiles = tSteady;
    RefreshNoise();
    return;
  }
  m_leq.Add(rec.m_dValue);
  m_units.Add(rec.m_strUnit);
  m_noise.nCount = m_leq.Count();
  m_noise.dLeq = m_leq.Leq();
  m_noise.dSel = m_leq.Sel(m_stat.dSampleRate);
  m_noise.dDurationSec = static_cast<double>(m_noise.nCount) * m_stat.dSampleRate;
  m_exceeded.Add(rec.m_dValue);
  if (m_exceeded.Exact()) {
    m_exceeded.Fill(m_noise);
  } else if (tSteady - m_tPercentiles >= kPercentilePeriod) {
    m_tPercentiles = tSteady;
    std::vector<double> levels;
    m_live.CopyLevels(0, m_live.GetSize(), levels);
    ComputeExceededLevels(levels, m_noise);
  }
}

void CMonitorRun::Start(double dRate, const SRunOptions &options) {
  m_options = options;
  m_nTaken = 0;
  m_nMissed = 0;
  m_nGroup = 0;
  m_dRate = dRate;
  if (options.bKeepSamples)
    m_stat.dSampleRate = dRate;
  m_bRunning = true;
  m_lastEnd = ERunEnd::None;
}

bool CMonitorRun::End(ERunEnd eReason) {
  if (!m_bRunning)
    return false;
  m_bRunning = false;
  m_lastEnd = eReason;
  RefreshNoise();
  return true;
}

CMonitorRun::Tick CMonitorRun::SampleTick(std::time_t now, SteadyTime tNow, std::size_t nMissed) {
  Tick t;
  if (nMissed > 0) {
    m_nMissed += nMissed;
    ++m_nGroup;
    t.nMissed = nMissed;
  }
  if (m_reading.m_bHold || !m_reading.m_bDataReceived)
    return t;
  if (m_options.bKeepSamples && m_live.GetSize() >= static_cast<std::size_t>(std::max(m_nSampleLimit, 0))) {
    t.kind = Tick::Kind::LimitReached;
    t.nCount = m_live.GetSize();
    return t;
  }
  if (!HasFreshReading(m_timing, tNow))
    return t; // the line went quiet: the last level is no new sample
  t.kind = Tick::Kind::Sampled;
  if (!m_options.bKeepSamples) {
    // Only the last sample is kept; the store and its statistics are not touched.
    m_last = CObjData{m_reading.m_dLevel, FormatLiveTime(now), m_reading.m_bWeightA ? "dBA" : "dBC", m_nGroup,
                      m_dRate};
    t.nCount = ++m_nTaken;
    return t;
  }
  m_live.Emplace(m_reading.m_dLevel, FormatLiveTime(now), m_reading.m_bWeightA ? "dBA" : "dBC", m_nGroup,
                 m_stat.dSampleRate);
  t.nCount = m_live.GetSize();
  ++m_nTaken;
  t.change = m_stat.AddSample(CSampleArray(m_live), t.nCount - 1);
  AddToNoise(m_live[t.nCount - 1], tNow);
  return t;
}

CMonitorRun::Silence CMonitorRun::SilenceCheck(std::time_t now, bool bDownloading) const {
  Silence s;
  if (now - m_timing.m_tLastRecv < 2)
    return s;
  s.bSilent = true;
  s.bStopRun = m_bRunning && m_options.bEndWithMeter;
  s.bAbandonDownload = bDownloading;
  return s;
}
