#include "monitor/RegistoFlow.h"

#include "protocol/MeterState.h"
#include "records/SampleStore.h"
#include "uikit/Prompts.h"

#include <QWidget>

CRegistoFlow::CRegistoFlow(CMeterState &state, CSampleStore &logStore, CPrompts &prompts,
                           CTimerSet &viewTimers, int nTimeoutId, int nTimeoutMs, Hooks hooks,
                           QWidget *pParent)
    : m_state(state), m_logStore(logStore), m_prompts(prompts), m_viewTimers(viewTimers),
      m_nTimeoutId(nTimeoutId), m_nTimeoutMs(nTimeoutMs), m_hooks(std::move(hooks)), m_pParent(pParent),
      m_timers([this](int nId) { OnTimer(nId); }), m_pDialog(std::make_unique<CLogState>()) {
  m_pDialog->setWindowModality(Qt::ApplicationModal);
  // Esc leaves the pop-up early: download mode ends at once and the window
  // shows what has been decoded so far.
  connect(m_pDialog.get(), &QDialog::rejected, this, [this] {
    if (m_phase == Phase::Receiving)
      Finish();
  });
}

CRegistoFlow::~CRegistoFlow() = default;

void CRegistoFlow::OnRegisto() {
  if (m_state.m_bRunning) {
    m_prompts.MessageBox(m_pParent, QStringLiteral("Please stop the Real Time Runing!"),
                         QStringLiteral("Tip"), CPrompts::Buttons::Ok, CPrompts::Icon::Information);
    return;
  }
  if (!m_state.m_bDataReceived)
    return;
  if (m_phase != Phase::Idle || m_state.m_bDownloading)
    return; // one download at a time

  m_state.m_bDownloading = true;
  m_state.m_bLogHeader = false;
  if (m_hooks.beginDownload)
    m_hooks.beginDownload();

  m_viewTimers.KillTimer(m_nTimeoutId);
  if (m_hooks.releaseLoggerSelection)
    m_hooks.releaseLoggerSelection();
  m_logStore.RemoveAll();
  m_viewTimers.SetTimer(m_nTimeoutId, m_nTimeoutMs);

  m_phase = Phase::Requesting;
  m_nRequests = 0;
  WriteRequest();
  m_timers.SetTimer(TIMER_LOG_REQUEST, kRequestMs);
}

void CRegistoFlow::OnTimer(int nId) {
  if (nId != TIMER_LOG_REQUEST || m_phase != Phase::Requesting)
    return;
  if (!m_state.m_bDownloading) {
    // Ended before the header was noticed (empty log, silence, watchdog)
    // without telling this flow: finish all the same.
    Finish();
    return;
  }
  if (m_state.m_bLogHeader)
    ShowProgress();
  else
    WriteRequest();
}

void CRegistoFlow::WriteRequest() {
  static constexpr std::uint8_t kRequest[2] = {0x5A, 0xAC};
  ++m_nRequests;
  if (m_hooks.write)
    m_hooks.write(kRequest, sizeof kRequest);
}

void CRegistoFlow::ShowProgress() {
  m_timers.KillTimer(TIMER_LOG_REQUEST);
  m_phase = Phase::Receiving;
  m_pDialog->SetRange(m_state.m_nLogSize);
  m_pDialog->SetPos(m_state.m_nRecvBytes);
  if (m_pParent) {
    const QRect over = m_pParent->window()->frameGeometry();
    m_pDialog->move(over.center() - m_pDialog->rect().center());
  }
  m_pDialog->show();
  m_pDialog->raise();
}

void CRegistoFlow::OnProgress(int nRange, int nPos) {
  if (m_phase == Phase::Requesting && m_state.m_bLogHeader)
    ShowProgress();
  if (m_phase != Phase::Receiving)
    return;
  m_pDialog->SetRange(nRange);
  m_pDialog->SetPos(nPos);
}

void CRegistoFlow::OnDownloadEnded() {
  if (m_phase == Phase::Idle)
    return;
  Finish();
}

void CRegistoFlow::Finish() {
  m_timers.KillTimer(TIMER_LOG_REQUEST);
  m_phase = Phase::Idle;
  if (m_pDialog->isVisible())
    m_pDialog->accept(); // not rejected: that is the user's Esc
  if (m_hooks.showDataLogger)
    m_hooks.showDataLogger();
  m_state.m_bDownloading = false;
  emit finished();
}
