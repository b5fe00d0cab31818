// Monitoring runs of the view: start, stop, clear, setup, sampling ticks
// and the watchdogs that notice a lost meter.
#include "graph/GraphicsBtn.h"
#include "monitor/MyVomoView.h"
#include "monitor/ReadoutPanel.h"
#include "monitor/RegistoFlow.h"
#include "monitor/SampleTableModel.h"
#include "res/DialogTemplate.h"
#include "serial/KeyRepeaters.h"
#include "uikit/CommandIds.h"
#include "uikit/CommandRouter.h"
#include "uikit/DialogBuilder.h"
#include "uikit/ReadoutTexts.h"
#include "uikit/Prompts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTreeView>

void CMyVomoView::OnRun() {
  if (!m_run.MeterHeard())
    return;
  if (m_run.HasSamples()) {
    const int nAnswer = m_prompts.MessageBox(this, QStringLiteral("Zapisz bieżące dane"),
                                             QStringLiteral("Tip"), CPrompts::Buttons::OkCancel);
    if (nAnswer == IDOK && m_pCommands)
      m_pCommands->Execute(cmd::ID_SAVE_AS);
    // The old samples go whatever the answer: a run always starts afresh.
    ClearLiveData();
  }
  StartRun();
}

void CMyVomoView::StartRun() {
  const double dRate = RateFromText(m_pRate->currentText().toStdString());
  m_run.Start(dRate);
  m_timers.SetTimer(TIMER_SAMPLE, std::max(SampleIntervalMs(dRate), 1));
  SetRunControls(true);
  m_pGraph->m_xSpan = 20.0;
  ResetGraphScale();
  m_pGraph->m_live = true;
  emit commandStateChanged();
}

void CMyVomoView::OnStop() {
  SetRunControls(false);
  m_run.Stop();
  ShowNoise();
  m_timers.KillTimer(TIMER_SAMPLE);
  emit commandStateChanged();
}

void CMyVomoView::SetRunControls(bool bRunning) {
  // The rate of a run is fixed while it samples.
  m_pRate->setEnabled(!bRunning);
  if (!bRunning)
    m_pGraph->m_live = false;
}

void CMyVomoView::ClearLiveData() {
  m_run.ClearSamples();
  Field(1009)->clear();
  ShowNoise();
  m_pModel->Reset();
  RedrawGraph();
  emit commandStateChanged();
}

void CMyVomoView::OnClear() {
  if (m_prompts.MessageBox(this, QStringLiteral("Usuwanie danych"), QStringLiteral("Tips"),
                           CPrompts::Buttons::OkCancel) != IDOK)
    return;
  ClearLiveData();
  ResetGraphScale();
  emit commandStateChanged();
}

void CMyVomoView::OnSetup() {
  if (!m_run.MeterHeard())
    return;
  std::optional<SetupChoice> choice = m_runSetup(m_run.m_nSampleLimit);
  if (!choice)
    return;
  m_run.m_nSampleLimit = choice->nSamples;
  m_pRate->setCurrentIndex(choice->nRateIndex);
  OnRun();
}

void CMyVomoView::ShowSample(const CMonitorRun::Tick &tick) {
  const StatData &st = m_run.m_stat;
  m_pModel->SyncAppended();
  // Scrolling lays out every row, so a hidden table is brought to its end when shown.
  if (m_bShowTable)
    m_pList->scrollTo(m_pModel->index(static_cast<int>(tick.nCount) - 1, 0));
  RedrawGraph();
  Field(1009)->setText(QString::number(tick.nCount));
  Field(1001)->setText(QString::fromStdString(st.strStartTime));
  if (tick.change.bMax) {
    Field(1002)->setText(QString::asprintf("%.1f", st.dMax));
    Field(1003)->setText(QString::fromStdString(st.strMaxTime));
  }
  if (tick.change.bMin) {
    Field(1008)->setText(QString::asprintf("%.1f", st.dMin));
    Field(1006)->setText(QString::fromStdString(st.strMinTime));
  }
  Field(1005)->setText(QString::asprintf("%.1f", st.dAverage));
  ShowNoise();
  if (tick.nCount == 1)
    emit commandStateChanged(); // the store is no longer empty
}

void CMyVomoView::ShowNoise() {
  ShowReadoutTexts(this, NoiseReadouts(m_run.Noise(), m_run.NoiseLeqLabel()));
}

void CMyVomoView::SilenceCheck() {
  // A port whose device went away is let go, so the device gets its node
  // back when it returns and nothing waits on the dead line.
  if (!m_pLink->IsOpen())
    m_pLink->Close();
  CMonitorRun::Silence s = m_run.SilenceCheck(Now());
  if (!s.bSilent)
    return;
  if (m_pReadoutPanel)
    m_pReadoutPanel->Refresh();
  m_pReadout->update(ReadoutRect());
  emit readoutRefresh();
  if (m_pKeys)
    m_pKeys->OnSilence();
  if (s.bStopRun)
    OnStop();
  if (s.bAbandonDownload)
    AbandonDownload();
  emit commandStateChanged();
}

void CMyVomoView::AbandonDownload() {
  // The recordings and levels that arrived before the meter went are kept:
  // they are decoded as a download that ends here, which also ends the flow.
  if (!m_receivePath.AbandonDownload()) {
    m_pRegisto->OnDownloadEnded();
    emit downloadEnded();
  }
  m_prompts.MessageBox(this, QStringLiteral("Occur an error"), QStringLiteral("error"),
                       CPrompts::Buttons::Ok);
}
