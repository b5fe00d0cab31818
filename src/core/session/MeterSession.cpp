// The session's inputs, its observers and the monitoring run.
#include "session/MeterSession.h"

#include "session/SessionImpl.h"

#include <algorithm>

CMeterSession::CImpl::CImpl(Env env)
    : m_env(std::move(env)), m_path(*this, [this] { return m_env.clock.WallTime(); }),
      m_reading(m_path.Reading()), m_run(m_env.stores.m_live, m_path.Reading(), m_path.Timing()) {
  m_path.Timing().m_tLastRecv = m_env.clock.WallTime();
}

CMeterSession::CImpl::~CImpl() {
  // The reader thread ends before the state it feeds goes away.
  StopKeys();
  m_env.link.Close();
}

void CMeterSession::CImpl::Reschedule() {
  const std::optional<Ms> next = m_timers.Next();
  if (m_bWakeSet && next == m_lastWake)
    return;
  m_bWakeSet = true;
  m_lastWake = next;
  m_env.scheduler.WakeAt(next);
}

void CMeterSession::CImpl::Fire(int nId, Ms /*now*/) {
  switch (nId) {
  case TIMER_SILENCE:
    SilenceCheck();
    break;
  case TIMER_SAMPLE:
    SampleTick();
    break;
  case TIMER_LOG_TIMEOUT:
    if (m_path.Progress().m_bDownloading)
      AbandonDownload(EDownloadEnd::Watchdog);
    break;
  case TIMER_OPEN_PORT:
    OpenPort(m_nOpenPort, m_strOpenPath);
    break;
  case TIMER_DISCOVER:
    if (m_bAutoPort) // a port chosen by hand since the search was due
      DiscoverPort();
    break;
  case TIMER_LOG_REQUEST:
    RequestTick();
    break;
  default:
    if (nId >= TIMER_KEY_FIRST)
      FireKey(nId);
    break;
  }
}

std::size_t CMeterSession::CImpl::MissedTicks() {
  // The deadlines skip ticks that fell due while the thread was held up
  // rather than firing them late; the timer's next due time tells how many.
  const std::optional<Ms> next = m_timers.Due(TIMER_SAMPLE);
  if (!next || m_samplePeriod <= Ms::zero())
    return 0;
  const auto nSkipped = (*next - m_nextSampleDue) / m_samplePeriod - 1;
  m_nextSampleDue = *next;
  return nSkipped > 0 ? static_cast<std::size_t>(nSkipped) : 0;
}

void CMeterSession::CImpl::SampleTick() {
  const std::size_t nMissed = MissedTicks();
  // The last reading of a device that went away is nobody's sample.
  NoticeLostPort();
  if (m_bPortLost)
    return;
  const CMonitorRun::Tick t = m_run.SampleTick(m_env.clock.WallTime(), Steady(), nMissed);
  if (t.kind == CMonitorRun::Tick::Kind::LimitReached) {
    EndRun(ERunEnd::SampleLimit);
  } else if (t.kind == CMonitorRun::Tick::Kind::Sampled) {
    const CObjData rec =
        m_run.Options().bKeepSamples ? m_env.stores.m_live[t.nCount - 1] : m_run.LastSample();
    const SSample s{rec, t.nCount, m_run.m_stat, t.change, t.nMissed};
    Notify([&](ISessionObserver &o) { o.OnSampleTaken(s); });
  }
}

void CMeterSession::CImpl::EndRun(ERunEnd eReason) {
  m_timers.Kill(TIMER_SAMPLE);
  if (m_run.End(eReason))
    Notify([&](ISessionObserver &o) { o.OnRunEnded(eReason); });
}

void CMeterSession::CImpl::SilenceCheck() {
  // A port whose device went away is let go, so the device gets its node
  // back when it returns and nothing waits on the dead line.
  if (!m_env.link.IsOpen())
    m_env.link.Close();
  NoticeLostPort();
  // A download whose bytes stopped while the display stream came back ends
  // as a cancelled one, keeping what arrived.
  if (m_path.DownloadStalled(Steady()))
    AbandonDownload(EDownloadEnd::Stalled);
  const CMonitorRun::Silence s = m_run.SilenceCheck(m_env.clock.WallTime(), m_path.Progress().m_bDownloading);
  if (!s.bSilent)
    return;
  m_path.NoteSilence();
  StopKeys();
  if (m_conn.eState == ELinkState::Sending || m_conn.eState == ELinkState::Open)
    SetConnection(ELinkState::Silent);
  Notify([](ISessionObserver &o) { o.OnMeterSilent(); });
  if (s.bStopRun)
    EndRun(m_bPortLost ? ERunEnd::HangUp : ERunEnd::Silence);
  if (s.bAbandonDownload)
    AbandonDownload(m_bPortLost ? EDownloadEnd::HangUp : EDownloadEnd::Silence);
}

void CMeterSession::CImpl::OnHoldSignal() {
  // A run that waits for the meter records nothing while held and goes on.
  if (m_run.EndsOnHold())
    EndRun(ERunEnd::HoldSignal);
}

void CMeterSession::CImpl::OnReadoutRefresh() {
  Notify([this](ISessionObserver &o) { o.OnFrameDecoded(m_reading); });
  KeysOnFrame();
}

// --- the public face ---

CMeterSession::CMeterSession(Env env) : m_pImpl(std::make_unique<CImpl>(std::move(env))) {}

CMeterSession::~CMeterSession() = default;

void CMeterSession::AddObserver(ISessionObserver &observer) {
  m_pImpl->m_observers.push_back(&observer);
}

void CMeterSession::RemoveObserver(ISessionObserver &observer) {
  auto &v = m_pImpl->m_observers;
  v.erase(std::remove(v.begin(), v.end(), &observer), v.end());
}

void CMeterSession::OnChunk(const std::uint8_t *pData, std::size_t nSize,
                            std::chrono::steady_clock::duration age) {
  if (nSize == 0)
    return;
  CImpl &d = *m_pImpl;
  const bool bWasHeard = d.m_reading.m_bDataReceived;
  age = std::max(age, age.zero());
  const auto nAgeSeconds = std::chrono::duration_cast<std::chrono::seconds>(age).count();
  d.m_path.OnChunk(pData, nSize, d.Steady() - age,
                   d.m_env.clock.WallTime() - static_cast<std::time_t>(nAgeSeconds));
  if (!bWasHeard && d.m_reading.m_bDataReceived) {
    d.SetConnection(ELinkState::Sending);
    d.Notify([](ISessionObserver &o) { o.OnMeterHeard(); });
  } else if (d.m_reading.m_bDataReceived && d.m_conn.eState == ELinkState::Open) {
    d.SetConnection(ELinkState::Sending); // the first bytes since the port was opened again
  }
  d.Reschedule();
}

void CMeterSession::Advance(Ms now) {
  CImpl &d = *m_pImpl;
  while (std::optional<int> nId = d.m_timers.TakeDue(now))
    d.Fire(*nId, now);
  d.Reschedule();
}

std::optional<CMeterSession::Ms> CMeterSession::NextDeadline() const {
  return m_pImpl->m_timers.Next();
}

void CMeterSession::Begin() {
  CImpl &d = *m_pImpl;
  d.m_path.ForgetMeter();
  d.m_run.m_stat.Reset();
  d.m_run.m_nSampleLimit = kMaxSamples;
  d.m_bDiscovering = d.m_bRediscover = false;
  d.m_timers.Set(TIMER_DISCOVER, d.Now() + kStartDiscoverDelay);
  d.Reschedule();
}

bool CMeterSession::StartRun(double dRate, const SRunOptions &options) {
  CImpl &d = *m_pImpl;
  if ((options.bEndWithMeter && !d.m_run.MeterHeard()) || d.m_run.Running())
    return false;
  d.m_run.Start(dRate, options);
  const Ms period{std::max(SampleIntervalMs(dRate), 1)};
  d.m_timers.Set(TIMER_SAMPLE, d.Now() + period, period);
  d.m_samplePeriod = period;
  d.m_nextSampleDue = d.Now() + period;
  SRunStart start;
  start.dRate = dRate;
  start.nIntervalMs = static_cast<int>(period.count());
  start.tStart = d.m_env.clock.WallTime();
  start.bWeightA = d.m_reading.m_bWeightA;
  start.nSampleLimit = options.bKeepSamples ? d.m_run.m_nSampleLimit : 0;
  start.options = options;
  d.Notify([&](ISessionObserver &o) { o.OnRunStarted(start); });
  d.Reschedule();
  return true;
}

void CMeterSession::StopRun() {
  m_pImpl->EndRun(ERunEnd::User);
  m_pImpl->Reschedule();
}

void CMeterSession::ClearLive() {
  m_pImpl->m_run.ClearSamples();
  m_pImpl->Notify([](ISessionObserver &o) { o.OnLiveCleared(); });
}

void CMeterSession::SetSampleLimit(int nSamples) {
  m_pImpl->m_run.m_nSampleLimit = nSamples;
}

int CMeterSession::SampleLimit() const {
  return m_pImpl->m_run.m_nSampleLimit;
}

const CMeterReading &CMeterSession::Reading() const {
  return m_pImpl->m_path.Reading();
}

CMeterReading &CMeterSession::Reading() {
  return m_pImpl->m_path.Reading();
}

const CLineTiming &CMeterSession::Timing() const {
  return m_pImpl->m_path.Timing();
}

CLineTiming &CMeterSession::Timing() {
  return m_pImpl->m_path.Timing();
}

const CDownloadProgress &CMeterSession::Progress() const {
  return m_pImpl->m_path.Progress();
}

const std::string &CMeterSession::ReceiveBuffer() const {
  return m_pImpl->m_path.Buffer();
}

const CDeadlines &CMeterSession::Timers() const {
  return m_pImpl->m_timers;
}

bool CMeterSession::MeterHeard() const {
  return m_pImpl->m_run.MeterHeard();
}

bool CMeterSession::Running() const {
  return m_pImpl->m_run.Running();
}

std::size_t CMeterSession::MissedSamples() const {
  return m_pImpl->m_run.Missed();
}

bool CMeterSession::Downloading() const {
  return m_pImpl->m_path.Progress().m_bDownloading;
}

const StatData &CMeterSession::Stat() const {
  return m_pImpl->m_run.m_stat;
}

StatData &CMeterSession::LiveStat() {
  return m_pImpl->m_run.m_stat;
}

const AcousticStats &CMeterSession::Noise() const {
  return m_pImpl->m_run.Noise();
}

std::string CMeterSession::NoiseLeqLabel() const {
  return m_pImpl->m_run.NoiseLeqLabel();
}

void CMeterSession::RefreshNoise() {
  m_pImpl->m_run.RefreshNoise();
}

const ISessionClock &CMeterSession::Clock() const {
  return m_pImpl->m_env.clock;
}

CDataStores &CMeterSession::Stores() {
  return m_pImpl->m_env.stores;
}
