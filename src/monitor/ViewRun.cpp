// The view's run, port and key commands, and how it paints what the
// session reports.
#include "graph/GraphicsBtn.h"
#include "monitor/MyVomoView.h"
#include "monitor/ReadoutPanel.h"
#include "monitor/SampleTableModel.h"
#include "res/ControlIds.h"
#include "session/MonitorRun.h"
#include "uikit/CommandIds.h"
#include "uikit/CommandRouter.h"
#include "uikit/DialogBuilder.h"
#include "uikit/Prompts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTreeView>

void CMyVomoView::OnRun() {
  if (!m_session.MeterHeard())
    return;
  if (!m_session.Stores().m_live.IsEmpty()) {
    const int nAnswer = m_prompts.MessageBox(this, QStringLiteral("Zapisz bieżące dane"),
                                             QStringLiteral("Tip"), CPrompts::Buttons::OkCancel);
    if (nAnswer == IDOK && m_pCommands)
      m_pCommands->Execute(cmd::ID_SAVE_AS);
    // The old samples go whatever the answer: a run always starts afresh.
    m_session.ClearLive();
  }
  m_session.StartRun(RateFromText(m_pRate->currentText().toStdString()));
}

void CMyVomoView::OnStop() {
  m_session.StopRun();
}

void CMyVomoView::OnClear() {
  if (m_prompts.MessageBox(this, QStringLiteral("Usuwanie danych"), QStringLiteral("Tips"),
                           CPrompts::Buttons::OkCancel) != IDOK)
    return;
  m_session.ClearLive();
  m_pGraph->ResetScale();
}

void CMyVomoView::OnSetup() {
  if (!m_session.MeterHeard())
    return;
  std::optional<SetupChoice> choice = m_runSetup(m_session.SampleLimit());
  if (!choice)
    return;
  m_session.SetSampleLimit(choice->nSamples);
  m_pRate->setCurrentIndex(choice->nRateIndex);
  OnRun();
}

void CMyVomoView::OnPortAuto() {
  m_session.SetAutoPort();
  emit commandStateChanged();
}

void CMyVomoView::OnPortManual() {
  m_session.SetManualPort(); // also when the dialog is cancelled
  emit commandStateChanged();
  if (std::optional<int> n = m_askPort(3))
    m_session.ChoosePort(*n);
}

void CMyVomoView::OnMeterKey(int nKey) {
  m_session.PressKey(nKey);
}

void CMyVomoView::OnRunStarted(const SRunStart &) {
  m_pRate->setEnabled(false); // the rate of a run is fixed while it samples
  m_pGraph->m_xSpan = 20.0;
  m_pGraph->ResetScale();
  m_pGraph->m_live = true;
  emit commandStateChanged();
}

void CMyVomoView::OnRunEnded(ERunEnd) {
  m_pRate->setEnabled(true);
  m_pGraph->m_live = false;
  emit commandStateChanged();
}

void CMyVomoView::OnLiveCleared() {
  Field(FormIds::kCount)->clear();
  m_pModel->Reset();
  RedrawGraph();
  emit commandStateChanged();
}

void CMyVomoView::OnSampleTaken(const SSample &s) {
  using namespace FormIds;
  m_pModel->SyncAppended();
  // Scrolling lays out every row, so a hidden table is brought to its end when shown.
  if (m_bShowTable)
    m_pList->scrollTo(m_pModel->index(static_cast<int>(s.nCount) - 1, 0));
  RedrawGraph();
  Field(kCount)->setText(QString::number(s.nCount));
  Field(kStartTime)->setText(QString::fromStdString(s.stat.strStartTime));
  if (s.change.bMax) {
    Field(kMax)->setText(QString::asprintf("%.1f", s.stat.dMax));
    Field(kMaxTime)->setText(QString::fromStdString(s.stat.strMaxTime));
  }
  if (s.change.bMin) {
    Field(kMin)->setText(QString::asprintf("%.1f", s.stat.dMin));
    Field(kMinTime)->setText(QString::fromStdString(s.stat.strMinTime));
  }
  Field(kAverage)->setText(QString::asprintf("%.1f", s.stat.dAverage));
  if (s.nCount == 1)
    emit commandStateChanged(); // the store is no longer empty
}

void CMyVomoView::OnFrameDecoded(const CMeterState &state) {
  RefreshReadout();
  if (!m_bFirstFrameSeen && !state.m_strCurTime.empty()) {
    m_bFirstFrameSeen = true;
    emit firstFrameDecoded();
  }
}

void CMyVomoView::OnMeterHeard() {
  RefreshReadout();
  emit commandStateChanged();
}

void CMyVomoView::OnMeterSilent() {
  RefreshReadout();
  m_pReadout->update(ReadoutRect());
  emit commandStateChanged();
}

void CMyVomoView::OnConnectionChanged(const SConnection &conn) {
  emit commandStateChanged();
  if (conn.eState != ELinkState::OpenFailed)
    return;
  QString text = QString::asprintf("Warning:Can't open COM%d!", conn.nPort);
  if (!conn.strReason.empty())
    text += QLatin1Char('\n') + QString::fromStdString(conn.strReason);
  m_prompts.MessageBox(this, text, QStringLiteral("Tarvik"), CPrompts::Buttons::Ok,
                       CPrompts::Icon::Information);
}

void CMyVomoView::OnDownloadEnded(EDownloadEnd eReason) {
  emit commandStateChanged();
  // A download the meter did not finish keeps what arrived, but the user is told.
  if (eReason == EDownloadEnd::Silence || eReason == EDownloadEnd::Watchdog ||
      eReason == EDownloadEnd::HangUp)
    m_prompts.MessageBox(this, QStringLiteral("Occur an error"), QStringLiteral("error"),
                         CPrompts::Buttons::Ok);
}
