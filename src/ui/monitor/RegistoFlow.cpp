#include "monitor/RegistoFlow.h"

#include "forms/CommandIds.h"
#include "forms/UiTexts.h"
#include "kit/CommandRouter.h"
#include "kit/Prompts.h"
#include "kit/Tr.h"

#include <QWidget>

CRegistoFlow::CRegistoFlow(CMeterSession &session, CPrompts &prompts, Hooks hooks, QWidget *pParent)
    : m_session(session), m_prompts(prompts), m_hooks(std::move(hooks)), m_pParent(pParent),
      m_pDialog(std::make_unique<CLogState>()) {
  m_pDialog->setWindowModality(Qt::ApplicationModal);
  // "Cancelar" or Esc leaves the pop-up early: download mode ends at once
  // and the window shows the whole recordings and levels that arrived.
  connect(m_pDialog.get(), &QDialog::rejected, this, [this] {
    if (m_session.DownloadPhase() == CMeterSession::EDownloadPhase::Receiving)
      m_session.CancelDownload();
  });
  m_session.AddObserver(*this);
}

CRegistoFlow::~CRegistoFlow() {
  m_session.RemoveObserver(*this);
}

void CRegistoFlow::RegisterCommands(CCommandRouter &commands) {
  connect(this, &CRegistoFlow::finished, &commands, &CCommandRouter::Update);
  // Not greyed by a run: the user is told to stop it first.
  commands.SetHandler(
      cmd::ID_DOWNLOAD, [this] { OnRegisto(); },
      [this] { return m_session.MeterHeard() && !m_session.Downloading(); });
}

void CRegistoFlow::OnRegisto() {
  // A silent meter or a download already under way: nothing to do.
  if (m_session.Download() == CMeterSession::EDownloadStart::RunActive)
    m_prompts.MessageBox(m_pParent, Tr(UiTexts::kStopRunFirst), Tr(UiTexts::kTipCaption),
                         CPrompts::Buttons::Ok, CPrompts::Icon::Information);
}

void CRegistoFlow::OnLogStoreChanging() {
  if (m_hooks.releaseLoggerSelection)
    m_hooks.releaseLoggerSelection();
}

void CRegistoFlow::OnDownloadProgress(int nUpper, int nPos) {
  m_pDialog->SetRange(nUpper);
  m_pDialog->SetPos(nPos);
  if (m_pDialog->isVisible())
    return;
  if (m_pParent) {
    const QRect over = m_pParent->window()->frameGeometry();
    m_pDialog->move(over.center() - m_pDialog->rect().center());
  }
  m_pDialog->show();
  m_pDialog->raise();
}

void CRegistoFlow::OnDownloadEnded(EDownloadEnd eEnd) {
  if (m_pDialog->isVisible())
    m_pDialog->accept(); // not rejected: that is the user's Esc
  // An empty memory is told in the status bar; an empty window would say nothing.
  if (eEnd != EDownloadEnd::Empty && m_hooks.showDataLogger)
    m_hooks.showDataLogger();
  emit finished();
}
