// The download of the meter's data-logger memory: the request is written
// at once and every 100 ms until the header arrives, the watchdog ends a
// download that never finishes, and an end without the end marker keeps
// the whole recordings and levels that arrived.
#include "session/SessionImpl.h"

CMeterSession::EDownloadStart CMeterSession::CImpl::Download() {
  if (m_run.Running())
    return EDownloadStart::RunActive;
  if (!m_reading.m_bDataReceived)
    return EDownloadStart::MeterSilent;
  if (m_phase != EDownloadPhase::Idle || m_path.Progress().m_bDownloading)
    return EDownloadStart::Busy; // one download at a time

  m_logDecode.m_nLogGroup = 0; // recordings are numbered from 0 again
  m_path.BeginDownload(Steady());
  // Whoever points into the data-logger store lets go before it is emptied.
  Notify([](ISessionObserver &o) { o.OnLogStoreChanging(); });
  m_env.stores.m_log.RemoveAll();
  m_timers.Set(TIMER_LOG_TIMEOUT, Now() + kLogTimeout);

  m_phase = EDownloadPhase::Requesting;
  m_nRequests = 0;
  m_eEnding = EDownloadEnd::Complete;
  Notify([](ISessionObserver &o) { o.OnDownloadStarted(); });
  RequestTick();
  const Ms period{kDownloadRequestRepeatMs};
  m_timers.Set(TIMER_LOG_REQUEST, Now() + period, period);
  return EDownloadStart::Started;
}

void CMeterSession::CImpl::RequestTick() {
  if (m_phase != EDownloadPhase::Requesting) {
    m_timers.Kill(TIMER_LOG_REQUEST);
    return;
  }
  if (m_path.Progress().m_bLogHeader) {
    ShowProgress();
    return;
  }
  ++m_nRequests;
  m_env.link.Write(kDownloadRequest, sizeof kDownloadRequest);
}

void CMeterSession::CImpl::ShowProgress() {
  m_timers.Kill(TIMER_LOG_REQUEST);
  m_phase = EDownloadPhase::Receiving;
  const int nUpper = m_path.Progress().m_nLogSize & 0xFFFF;
  const int nPos = m_path.Progress().m_nRecvBytes;
  Notify([&](ISessionObserver &o) { o.OnDownloadProgress(nUpper, nPos); });
}

void CMeterSession::CImpl::OnDownloadProgress(int nUpper, int /*nStep*/, int nPos) {
  if (m_phase == EDownloadPhase::Requesting && m_path.Progress().m_bLogHeader)
    ShowProgress();
  if (m_phase != EDownloadPhase::Receiving)
    return;
  Notify([&](ISessionObserver &o) { o.OnDownloadProgress(nUpper, nPos); });
}

void CMeterSession::CImpl::OnDownloadText(const std::string &strText) {
  ParseLogData(strText, m_logDecode, m_env.stores.m_log, *this);
}

void CMeterSession::CImpl::OnDownloadEnded() {
  FinishDownload();
}

void CMeterSession::CImpl::AbandonDownload(EDownloadEnd eReason) {
  // What arrived before the end is decoded as a download that ends here.
  m_eEnding = eReason;
  if (!m_path.AbandonDownload())
    FinishDownload();
}

void CMeterSession::CImpl::FinishDownload() {
  EDownloadEnd eReason = m_eEnding;
  if (eReason == EDownloadEnd::Complete && m_env.stores.m_log.IsEmpty())
    eReason = EDownloadEnd::Empty;
  m_eEnding = EDownloadEnd::Complete;
  m_timers.Kill(TIMER_LOG_REQUEST);
  m_timers.Kill(TIMER_LOG_TIMEOUT);
  m_phase = EDownloadPhase::Idle;
  m_path.EndDownload();
  Notify([&](ISessionObserver &o) { o.OnDownloadEnded(eReason); });
}

// --- the public face ---

CMeterSession::EDownloadStart CMeterSession::Download() {
  const EDownloadStart e = m_pImpl->Download();
  m_pImpl->Reschedule();
  return e;
}

void CMeterSession::CancelDownload() {
  CImpl &d = *m_pImpl;
  if (d.m_phase == EDownloadPhase::Idle && !d.m_path.Progress().m_bDownloading)
    return;
  d.AbandonDownload(EDownloadEnd::Cancelled);
  d.Reschedule();
}

CMeterSession::EDownloadPhase CMeterSession::DownloadPhase() const {
  return m_pImpl->m_phase;
}
