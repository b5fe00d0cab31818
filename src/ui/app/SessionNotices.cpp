#include "app/SessionNotices.h"

#include "app/MainFrame.h"
#include "forms/UiTexts.h"
#include "kit/Prompts.h"
#include "kit/TrStd.h"
#include "monitor/RegistoFlow.h"
#include "session/MeterSession.h"

#include <QStatusBar>

CSessionNotices::CSessionNotices(CMeterSession &session, CMainFrame &frame, CPrompts &prompts)
    : m_session(session), m_frame(frame), m_prompts(prompts) {
  m_session.AddObserver(*this);
}

CSessionNotices::~CSessionNotices() {
  m_session.RemoveObserver(*this);
}

void CSessionNotices::OnConnectionChanged(const SConnection &conn) {
  const ConnectionStatus st = NextConnectionStatus(m_connection, conn);
  if (!(st == m_connection)) { // each frame reports the meter sending: told once
    m_connection = st;
    m_frame.ShowConnection(st);
  }
  m_frame.Commands().Update();
  if (conn.eState != ELinkState::OpenFailed)
    return;
  QString text = Tr(UiTexts::kCannotOpenCom).arg(conn.nPort);
  if (!conn.strReason.empty())
    text += QLatin1Char('\n') + QString::fromStdString(conn.strReason);
  m_prompts.MessageBox(&m_frame, text, QStringLiteral("Tarvik"), CPrompts::Buttons::Ok,
                       CPrompts::Icon::Information);
}

void CSessionNotices::OnRunStarted(const SRunStart &) {
  m_frame.ShowRunStarted();
}

void CSessionNotices::OnRunEnded(ERunEnd eReason) {
  m_frame.ShowRunEnded(eReason);
}

void CSessionNotices::OnDownloadEnded(EDownloadEnd eReason) {
  m_frame.Commands().Update();
  m_frame.ShowDownloadEnded(eReason);
  if (eReason == EDownloadEnd::Stalled)
    m_frame.statusBar()->showMessage(Tr(kDownloadStalledText));
  const std::string cause = DownloadFailCause(eReason, TrStd);
  if (cause.empty())
    return;
  // The fixed text stays; the cause follows on a second line.
  m_prompts.MessageBox(&m_frame,
                       Tr(UiTexts::kOccurAnError) + QLatin1Char('\n') + QString::fromStdString(cause),
                       Tr(UiTexts::kErrorCaption), CPrompts::Buttons::Ok);
}
