// Finding and opening the meter's port: discovery, the "Porta" menu and
// device arrivals.
#include "monitor/MyVomoView.h"
#include "serial/KeyRepeaters.h"
#include "uikit/Prompts.h"

void CMyVomoView::DiscoverPort() {
  if (m_bDiscovering)
    return;
  m_bDiscovering = true;
  const std::vector<int> ports = m_pLink->FindBridgePorts();
  if (!ports.empty()) {
    m_nPort = ports.front(); // two bridges: the first one listed
    m_nOpenPort = m_nPort;
    m_timers.SetTimer(TIMER_OPEN_PORT, 200);
    m_timers.SetTimer(TIMER_SILENCE, 1000);
    m_bRediscover = false; // the arrival has been served
  } else if (m_bRediscover) {
    m_bRediscover = false;
    m_timers.SetTimer(TIMER_DISCOVER, 500);
  }
  m_bDiscovering = false;
}

bool CMyVomoView::OpenPort(int nPort) {
  // The reader thread only copies each chunk into the mailbox; this thread
  // decodes it.
  if (m_pKeys)
    m_pKeys->OnPortClosed(); // the port is closed and opened again
  IMeterLink::OpenResult r =
      m_pLink->Open(nPort, [this](const std::uint8_t *p, std::size_t n) { m_mailbox.Post(p, n); });
  if (!r.bOk && r.nRetryMs > 0) {
    // A node that has just arrived may not be ours to open yet.
    m_nOpenPort = nPort;
    m_timers.SetTimer(TIMER_OPEN_PORT, r.nRetryMs);
    return false;
  }
  if (!r.bOk) {
    QString text = QString::asprintf("Warning:Can't open COM%d!", nPort);
    if (!r.strReason.empty())
      text += QLatin1Char('\n') + QString::fromStdString(r.strReason);
    m_prompts.MessageBox(this, text, QStringLiteral("Tarvik"), CPrompts::Buttons::Ok,
                         CPrompts::Icon::Information);
    return false;
  }
  // A port opened by hand needs the silence check as much as a found one.
  if (!m_timers.IsActive(TIMER_SILENCE))
    m_timers.SetTimer(TIMER_SILENCE, 1000);
  return true;
}

void CMyVomoView::OnPortAuto() {
  m_bAutoPort = true;
  emit commandStateChanged();
  DiscoverPort();
}

void CMyVomoView::OnPortManual() {
  m_bAutoPort = false; // also when the dialog is cancelled
  emit commandStateChanged();
  if (std::optional<int> n = m_askPort(3))
    OpenPort(*n);
}

void CMyVomoView::OnDeviceArrived() {
  if (!m_bAutoPort)
    return;
  m_pLink->NoteArrival();
  if (m_bDiscovering) {
    m_bRediscover = true;
  } else {
    m_timers.SetTimer(TIMER_DISCOVER, 100);
    m_bRediscover = false;
  }
}
