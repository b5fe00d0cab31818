// Finding and opening the meter's port (discovery, the delayed open, the
// search after an arrival, the retried open of a node that has just
// arrived) and the remote keys, whose repetitions end with the port.
#include "session/SessionImpl.h"

void CMeterSession::CImpl::DiscoverPort() {
  if (m_bDiscovering)
    return;
  m_bDiscovering = true;
  const std::vector<int> ports = m_env.link.FindBridgePorts();
  if (!ports.empty()) {
    m_nPort = ports.front(); // two bridges: the first one listed
    m_nOpenPort = m_nPort;
    m_strOpenPath.clear();
    m_timers.Set(TIMER_OPEN_PORT, Now() + kOpenDelay);
    m_timers.Set(TIMER_SILENCE, Now() + kSilenceCheckPeriod, kSilenceCheckPeriod);
    m_bRediscover = false; // the arrival has been served
  } else {
    if (m_bRediscover) {
      m_bRediscover = false;
      m_timers.Set(TIMER_DISCOVER, Now() + kRetryDiscoverDelay);
    }
    if (!m_bPortOpen) {
      SetConnection(ELinkState::NoMeterFound);
      if (!m_timers.IsActive(TIMER_DISCOVER))
        RetryLater();
    }
  }
  m_bDiscovering = false;
}

bool CMeterSession::CImpl::OpenPort(int nPort, const std::string &strPath) {
  StopKeys(); // the port is closed and opened again
  m_nOpenPort = nPort;
  m_strOpenPath = strPath;
  const IMeterLink::OpenResult r =
      strPath.empty() ? m_env.link.Open(nPort, m_env.post) : m_env.link.OpenPath(strPath, m_env.post);
  m_conn.nPort = strPath.empty() ? nPort : -1;
  m_conn.strDevice = strPath.empty() ? m_env.link.PortDevice(nPort) : strPath;
  if (!r.bOk && r.nRetryMs > 0) {
    // A node that has just arrived may not be ours to open yet.
    m_timers.Set(TIMER_OPEN_PORT, Now() + Ms{r.nRetryMs});
    return false;
  }
  if (!r.bOk) {
    m_bPortOpen = false;
    SetConnection(ELinkState::OpenFailed, r.strReason);
    RetryLater();
    return false;
  }
  m_bPortOpen = true;
  m_bPortLost = false;
  // A port opened by hand needs the silence check as much as a found one.
  if (!m_timers.IsActive(TIMER_SILENCE))
    m_timers.Set(TIMER_SILENCE, Now() + kSilenceCheckPeriod, kSilenceCheckPeriod);
  // Sending only once this open has brought a byte: a meter heard on the
  // port before it went away is not heard on the new one yet.
  SetConnection(ELinkState::Open);
  return true;
}

void CMeterSession::CImpl::SetConnection(ELinkState eState, std::string strReason) {
  // A failed open is told every time: the user asked, or a device arrived.
  if (eState == m_conn.eState && eState != ELinkState::OpenFailed && m_conn.bAutoPort == m_bAutoPort)
    return;
  m_conn.eState = eState;
  m_conn.strReason = std::move(strReason);
  m_conn.bAutoPort = m_bAutoPort;
  Notify([this](ISessionObserver &o) { o.OnConnectionChanged(m_conn); });
}

void CMeterSession::CImpl::PortLost() {
  m_bPortOpen = false;
  m_bPortLost = true;
  StopKeys();
  SetConnection(ELinkState::Closed, "the device went away");
  RetryLater();
}

void CMeterSession::CImpl::NoticeLostPort() {
  if (m_bPortOpen && !m_env.link.IsOpen()) {
    m_env.link.Close();
    PortLost();
  }
}

void CMeterSession::CImpl::RetryLater() {
  if (m_retry <= Ms::zero())
    return;
  m_timers.Set(m_bAutoPort ? TIMER_DISCOVER : TIMER_OPEN_PORT, Now() + m_retry);
}

bool CMeterSession::CImpl::StartKey(int nKey) {
  if (!m_reading.m_bDataReceived || !m_env.link.IsOpen())
    return false;
  std::optional<CKeyRepeat> repeat = CKeyRepeat::Press(nKey, m_reading, m_path.Timing());
  if (!repeat)
    return false;
  m_keys.push_back(KeyEntry{m_nNextKeyTimer++, *repeat});
  SendKey(std::prev(m_keys.end())); // the first send goes out with the press
  return true;
}

bool CMeterSession::CImpl::SendKey(std::list<KeyEntry>::iterator it) {
  if (!m_env.link.IsOpen()) {
    it->repeat.End();
  } else if (it->repeat.Tick(m_reading, Steady())) {
    const std::uint8_t code = it->repeat.Code();
    m_env.link.Write(&code, 1); // a failed write is tried again at the next interval
    // The next interval counts from this write.
    const Ms period{it->repeat.IntervalMs()};
    m_timers.Set(it->nTimerId, Now() + period, period);
  }
  if (!it->repeat.Done())
    return true;
  m_timers.Kill(it->nTimerId);
  m_keys.erase(it);
  return false;
}

void CMeterSession::CImpl::FireKey(int nId) {
  for (auto it = m_keys.begin(); it != m_keys.end(); ++it)
    if (it->nTimerId == nId) {
      SendKey(it);
      return;
    }
  m_timers.Kill(nId); // a timer left by an ended repetition
}

void CMeterSession::CImpl::KeysOnFrame() {
  for (auto it = m_keys.begin(); it != m_keys.end();) {
    auto next = std::next(it);
    it->repeat.OnFrame(m_reading, m_path.Timing());
    SendKey(it); // the frame may be the one a waiting repetition needed
    it = next;
  }
}

void CMeterSession::CImpl::StopKeys() {
  for (const KeyEntry &k : m_keys)
    m_timers.Kill(k.nTimerId);
  m_keys.clear();
}

// --- the public face ---

bool CMeterSession::PressKey(int nKey) {
  const bool bTaken = m_pImpl->StartKey(nKey);
  m_pImpl->Reschedule();
  return bTaken;
}

void CMeterSession::SetAutoPort() {
  m_pImpl->m_bAutoPort = true;
  m_pImpl->m_bChosenByHand = false;
  m_pImpl->DiscoverPort();
  m_pImpl->Reschedule();
}

void CMeterSession::SetManualPort() {
  m_pImpl->m_bAutoPort = false;
}

bool CMeterSession::ChoosePort(int nPort) {
  m_pImpl->m_bAutoPort = false;
  m_pImpl->m_bChosenByHand = true;
  const bool bOpened = m_pImpl->OpenPort(nPort, {});
  m_pImpl->Reschedule();
  return bOpened;
}

bool CMeterSession::ChooseDevice(const std::string &strPath) {
  m_pImpl->m_bAutoPort = false;
  m_pImpl->m_bChosenByHand = true;
  const bool bOpened = m_pImpl->OpenPort(-1, strPath);
  m_pImpl->Reschedule();
  return bOpened;
}

void CMeterSession::OnDeviceArrived() {
  CImpl &d = *m_pImpl;
  if (!d.m_bAutoPort) {
    // The port chosen by hand, unplugged or hung up, is opened again when a
    // device arrives (the retried open waits for its node to be ours).
    if (d.m_bChosenByHand && (!d.m_bPortOpen || !d.m_env.link.IsOpen())) {
      d.m_env.link.NoteArrival();
      d.m_timers.Set(TIMER_OPEN_PORT, d.Now() + kOpenDelay);
      d.Reschedule();
    }
    return;
  }
  d.m_env.link.NoteArrival();
  if (d.m_bDiscovering) {
    d.m_bRediscover = true;
  } else {
    d.m_timers.Set(TIMER_DISCOVER, d.Now() + kArrivalDiscoverDelay);
    d.m_bRediscover = false;
  }
  d.Reschedule();
}

void CMeterSession::SetRetryPeriod(Ms period) {
  m_pImpl->m_retry = period;
}

void CMeterSession::ClosePort() {
  CImpl &d = *m_pImpl;
  d.StopKeys();
  if (d.m_retry > Ms::zero()) {
    // Closed on purpose: no retry opens it again.
    d.m_timers.Kill(TIMER_OPEN_PORT);
    d.m_timers.Kill(TIMER_DISCOVER);
  }
  d.m_env.link.Close();
  d.m_bPortOpen = false;
  d.SetConnection(ELinkState::Closed);
  d.Reschedule();
}

bool CMeterSession::IsAutoPort() const {
  return m_pImpl->m_bAutoPort;
}

int CMeterSession::Port() const {
  return m_pImpl->m_nPort;
}

const SConnection &CMeterSession::Connection() const {
  return m_pImpl->m_conn;
}
