#include "session/MonitorRun.h"

#include "files/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

double RateFromText(std::string_view text) {
  return LenientNumber(text); // "0.5" is half a second under every locale
}

int SampleIntervalMs(double dRate) {
  return static_cast<int>(std::trunc(dRate * 1000.0));
}

std::string FormatLiveTime(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.2d-%.2d-%d,%.2d:%.2d:%.2d", tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900,
                tm.tm_hour, tm.tm_min, tm.tm_sec);
  return buf;
}

std::chrono::steady_clock::duration FreshnessWindow(const CMeterState &st) {
  return std::max<std::chrono::steady_clock::duration>(std::chrono::seconds(1), 2 * st.m_frameInterval);
}

bool HasFreshReading(const CMeterState &st, SteadyTime now) {
  return st.m_nFramesDecoded > 0 && now - st.m_tLastFrame <= FreshnessWindow(st);
}

void CMonitorRun::ClearSamples() {
  m_stat.Reset();
  m_live.RemoveAll();
}

void CMonitorRun::Start(double dRate) {
  m_stat.dSampleRate = dRate;
  m_state.m_bRunning = true;
  m_state.m_runEnd = ERunEnd::None;
}

void CMonitorRun::Stop() {
  if (m_state.m_bRunning)
    m_state.m_runEnd = ERunEnd::User;
  m_state.m_bRunning = false;
}

CMonitorRun::Tick CMonitorRun::SampleTick(std::time_t now, SteadyTime tNow) {
  Tick t;
  if (m_state.m_bHold || !m_state.m_bDataReceived)
    return t;
  if (m_live.GetSize() >= static_cast<std::size_t>(std::max(m_nSampleLimit, 0))) {
    m_state.m_bRunning = false;
    m_state.m_runEnd = ERunEnd::SampleLimit;
    t.kind = Tick::Kind::LimitReached;
    t.nCount = m_live.GetSize();
    return t;
  }
  if (!HasFreshReading(m_state, tNow))
    return t; // the line went quiet: the last level is no new sample
  m_live.Emplace(m_state.m_dLevel, FormatLiveTime(now), m_state.m_bWeightA ? "dBA" : "dBC", 0,
                 m_stat.dSampleRate);
  t.kind = Tick::Kind::Sampled;
  t.nCount = m_live.GetSize();
  t.change = m_stat.AddSample(m_live[0], m_live[t.nCount - 1], t.nCount);
  return t;
}

CMonitorRun::Silence CMonitorRun::SilenceCheck(std::time_t now) {
  Silence s;
  if (now - m_state.m_tLastRecv < 2)
    return s;
  s.bSilent = true;
  s.bStopRun = m_state.m_bRunning;
  if (s.bStopRun) {
    m_state.m_bRunning = false;
    m_state.m_runEnd = ERunEnd::Silence;
  }
  m_state.m_bDataReceived = false;
  if (m_state.m_bDownloading) {
    m_state.m_bDownloading = false;
    s.bAbandonDownload = true;
  }
  return s;
}

bool CMonitorRun::LogTimeout() {
  if (!m_state.m_bDownloading)
    return false;
  m_state.m_bDownloading = false;
  return true;
}
