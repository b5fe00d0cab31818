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
  emit runStarted();
  emit commandStateChanged();
}

void CMyVomoView::StartRunAt(int nRateIndex) {
  m_pRate->setCurrentIndex(nRateIndex);
  OnRun();
}

void CMyVomoView::OnStop() {
  SetRunControls(false);
  m_run.Stop();
  ShowNoise();
  m_timers.KillTimer(TIMER_SAMPLE);
  emit runStopped();
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
  emit liveCleared();
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
  m_pModel->SyncAppended(); // rowsAnnounced scrolls a shown table to its end
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
  emit sampleTaken();
  if (tick.nCount == 1)
    emit commandStateChanged(); // the store is no longer empty
}

void CMyVomoView::ShowLiveStore() {
  const StatData &st = m_run.m_stat;
  m_pModel->Reset();
  const std::size_t n = m_stores.m_live.GetSize();
  Field(1009)->setText(n ? QString::number(n) : QString());
  Field(1001)->setText(QString::fromStdString(st.strStartTime));
  Field(1002)->setText(n ? QString::asprintf("%.1f", st.dMax) : QString());
  Field(1003)->setText(QString::fromStdString(st.strMaxTime));
  Field(1008)->setText(n ? QString::asprintf("%.1f", st.dMin) : QString());
  Field(1006)->setText(QString::fromStdString(st.strMinTime));
  Field(1005)->setText(n ? QString::asprintf("%.1f", st.dAverage) : QString());
  for (std::size_t i = 0; i < kViewRates.size(); ++i)
    if (RateFromText(kViewRates[i]) == st.dSampleRate)
      m_pRate->setCurrentIndex(static_cast<int>(i));
  m_run.RefreshNoise();
  ShowNoise();
  ResetGraphScale();
  RedrawGraph();
  emit commandStateChanged();
}

void CMyVomoView::ShowNoise() {
  ShowReadoutTexts(this, NoiseReadouts(m_run.Noise(), m_run.NoiseLeqLabel()));
}

void CMyVomoView::SilenceCheck() {
  // A port whose device went away is let go, so the device gets its node
  // back when it returns and nothing waits on the dead line.
  const bool bUnplugged = !m_pLink->IsOpen();
  if (bUnplugged)
    m_pLink->Close();
  // A download whose bytes stopped while the display stream came back
  // ends as "Cancelar" ends it, with the reason on the status bar.
  if (m_receivePath.DownloadStalled(m_steadyNow())) {
    EndDownloadKeepingWhatArrived();
    m_state.m_bDownloading = false;
    emit downloadStalled();
    emit commandStateChanged();
  }
  CMonitorRun::Silence s = m_run.SilenceCheck(Now());
  NoteConnection();
  if (!s.bSilent)
    return;
  if (m_pReadoutPanel)
    m_pReadoutPanel->Refresh();
  m_pReadout->update(ReadoutRect());
  emit readoutRefresh();
  if (m_pKeys)
    m_pKeys->OnSilence();
  if (s.bStopRun) {
    OnStop();
    emit runEnded(bUnplugged ? RunEndReason::Unplugged : RunEndReason::Silence);
  }
  if (s.bAbandonDownload)
    AbandonDownload(bUnplugged ? DownloadEndReason::Unplugged : DownloadEndReason::Silence);
  emit commandStateChanged();
}

void CMyVomoView::EndDownloadKeepingWhatArrived() {
  // The recordings and levels that arrived are kept: they are decoded as a
  // download that ends here, which also ends the flow.
  if (!m_receivePath.AbandonDownload()) {
    m_pRegisto->OnDownloadEnded();
    emit downloadEnded();
  }
}

void CMyVomoView::AbandonDownload(DownloadEndReason reason) {
  m_bAbandoning = true;
  EndDownloadKeepingWhatArrived();
  m_bAbandoning = false;
  emit downloadFinished(reason);
  // The fixed text stays; the cause follows on a second line.
  m_prompts.MessageBox(this,
                       QStringLiteral("Occur an error\n") + QString::fromStdString(DownloadFailCause(reason)),
                       QStringLiteral("error"), CPrompts::Buttons::Ok);
}
