// The session's inputs, its observers and the monitoring run.
#include "session/MeterSession.h"

#include "session/SessionImpl.h"

#include <algorithm>

CMeterSession::CImpl::CImpl(Env env)
    : m_env(std::move(env)), m_path(*this, [this] { return m_env.clock.WallTime(); }),
      m_state(m_path.State()), m_run(m_env.stores.m_live, m_state) {
  m_state.m_tLastRecv = m_env.clock.WallTime();
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
    if (m_run.LogTimeout())
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

void CMeterSession::CImpl::SampleTick() {
  // The last reading of a device that went away is nobody's sample.
  NoticeLostPort();
  if (m_bPortLost)
    return;
  const CMonitorRun::Tick t = m_run.SampleTick(m_env.clock.WallTime(), Steady());
  if (t.kind == CMonitorRun::Tick::Kind::LimitReached) {
    RunEnded(ERunEnd::SampleLimit);
  } else if (t.kind == CMonitorRun::Tick::Kind::Sampled) {
    const CObjData rec =
        m_run.Options().bKeepSamples ? m_env.stores.m_live[t.nCount - 1] : m_run.LastSample();
    const SSample s{rec, t.nCount, m_run.m_stat, t.change};
    Notify([&](ISessionObserver &o) { o.OnSampleTaken(s); });
  }
}

void CMeterSession::CImpl::RunEnded(ERunEnd eReason) {
  m_state.m_bRunning = false;
  m_state.m_runEnd = eReason;
  m_run.RefreshNoise(); // the percentiles of the whole run
  m_timers.Kill(TIMER_SAMPLE);
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
  const CMonitorRun::Silence s = m_run.SilenceCheck(m_env.clock.WallTime());
  if (!s.bSilent)
    return;
  StopKeys();
  if (m_conn.eState == ELinkState::Sending || m_conn.eState == ELinkState::Open)
    SetConnection(ELinkState::Silent);
  Notify([](ISessionObserver &o) { o.OnMeterSilent(); });
  if (s.bStopRun)
    RunEnded(m_bPortLost ? ERunEnd::HangUp : ERunEnd::Silence);
  if (s.bAbandonDownload)
    AbandonDownload(m_bPortLost ? EDownloadEnd::HangUp : EDownloadEnd::Silence);
}

void CMeterSession::CImpl::OnHoldSignal() {
  // The receive path has ended the run on the meter's HOLD; a run that
  // waits for the meter records nothing while held and goes on.
  if (!m_run.ResumeAfterHold())
    RunEnded(ERunEnd::HoldSignal);
}

void CMeterSession::CImpl::OnReadoutRefresh() {
  Notify([this](ISessionObserver &o) { o.OnFrameDecoded(m_state); });
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

void CMeterSession::OnChunk(const std::uint8_t *pData, std::size_t nSize) {
  if (nSize == 0)
    return;
  CImpl &d = *m_pImpl;
  const bool bWasHeard = d.m_state.m_bDataReceived;
  d.m_path.OnChunk(pData, nSize, d.Steady());
  if (!bWasHeard && d.m_state.m_bDataReceived) {
    d.SetConnection(ELinkState::Sending);
    d.Notify([](ISessionObserver &o) { o.OnMeterHeard(); });
  } else if (d.m_state.m_bDataReceived && d.m_conn.eState == ELinkState::Open) {
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
  CMeterState &st = d.m_state;
  st.m_strRecv.clear();
  st.m_dLevel = 50.0;
  st.m_bHold = st.m_bOver = st.m_bShowLatched = st.m_bLatch = false;
  st.m_bFast = st.m_bMax = st.m_bMin = st.m_bRec = st.m_bUnder = false;
  st.m_bRecvFlag = false;
  st.m_bDownloading = st.m_bLogHeader = st.m_bRunning = false;
  st.m_bDataReceived = false;
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
  SRunStart start;
  start.dRate = dRate;
  start.nIntervalMs = static_cast<int>(period.count());
  start.tStart = d.m_env.clock.WallTime();
  start.bWeightA = d.m_state.m_bWeightA;
  start.nSampleLimit = options.bKeepSamples ? d.m_run.m_nSampleLimit : 0;
  start.options = options;
  d.Notify([&](ISessionObserver &o) { o.OnRunStarted(start); });
  d.Reschedule();
  return true;
}

void CMeterSession::StopRun() {
  if (m_pImpl->m_run.Running())
    m_pImpl->RunEnded(ERunEnd::User);
  m_pImpl->m_timers.Kill(TIMER_SAMPLE);
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

const CMeterState &CMeterSession::State() const {
  return m_pImpl->m_state;
}

CMeterState &CMeterSession::State() {
  return m_pImpl->m_state;
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

bool CMeterSession::Downloading() const {
  return m_pImpl->m_state.m_bDownloading;
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
