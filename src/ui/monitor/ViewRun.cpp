// The view's run, port and key commands, and how it paints what the
// session reports.
#include "forms/CommandIds.h"
#include "forms/ControlIds.h"
#include "forms/UiTexts.h"
#include "graph/GraphicsBtn.h"
#include "kit/CommandRouter.h"
#include "kit/DialogBuilder.h"
#include "kit/Prompts.h"
#include "kit/ReadoutTexts.h"
#include "kit/Tr.h"
#include "monitor/LivePane.h"
#include "monitor/MyVomoView.h"
#include "monitor/ReadoutPanel.h"
#include "records/SampleRates.h"
#include "session/MonitorRun.h"

#include <QComboBox>

void CMyVomoView::OnRun() {
  if (!m_session.MeterHeard())
    return;
  if (!m_session.Stores().m_live.IsEmpty()) {
    // A run starts afresh; the old samples go only on an answer that says so.
    switch (m_prompts.MessageBox(this, Tr(UiTexts::kSaveCurrentData), Tr(UiTexts::kTipCaption),
                                 CPrompts::Buttons::SaveDiscardCancel)) {
    case CPrompts::IDSAVE:
      if (!m_saveLive || !m_saveLive())
        return; // not saved: the samples stay and no run starts
      break;
    case CPrompts::IDDISCARD:
      break;
    default:
      return;
    }
    m_session.ClearLive();
  }
  m_session.StartRun(RateFromText(m_pRate->currentText().toStdString()));
}

void CMyVomoView::OnStop() {
  m_session.StopRun();
}

void CMyVomoView::OnClear() {
  if (m_prompts.MessageBox(this, Tr(UiTexts::kDeletingData), Tr(UiTexts::kTipsCaption),
                           CPrompts::Buttons::DiscardCancel) != CPrompts::IDDISCARD)
    return;
  m_session.ClearLive();
  Graph().ResetScale();
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

void CMyVomoView::OnShowTable() {
  m_pPane->ShowTable();
}

void CMyVomoView::OnShowGraph() {
  m_pPane->ShowGraph();
}

void CMyVomoView::OnPortAuto() {
  m_session.SetAutoPort();
  emit autoPortChosen();
  emit commandStateChanged();
}

void CMyVomoView::OnPortManual() {
  m_session.SetManualPort(); // also when the dialog is cancelled
  emit commandStateChanged();
  if (std::optional<int> n = m_askPort(3)) {
    emit portChosenByHand(*n);
    m_session.ChoosePort(*n);
  }
}

void CMyVomoView::OnMeterKey(int nKey) {
  m_session.PressKey(nKey);
}

void CMyVomoView::StartRunAt(int nRateIndex) {
  m_pRate->setCurrentIndex(nRateIndex);
  OnRun();
}

void CMyVomoView::ShowLiveStore() {
  if (const int nRate = RateIndex(m_session.Stat().dSampleRate); nRate >= 0)
    m_pRate->setCurrentIndex(nRate);
  m_session.RefreshNoise();
  ShowStatistics();
  m_pPane->StoreReset(true);
  emit commandStateChanged();
}

void CMyVomoView::OnRunStarted(const SRunStart &) {
  m_pRate->setEnabled(false); // the rate of a run is fixed while it samples
  m_pPane->SetLive(true);
  emit commandStateChanged();
}

void CMyVomoView::OnRunEnded(ERunEnd) {
  m_pRate->setEnabled(true);
  m_pPane->SetLive(false);
  ShowStatistics(); // the percentiles of the whole run
  emit runStopped();
  emit commandStateChanged();
}

void CMyVomoView::OnLiveCleared() {
  // The other fields keep their texts until the next sample rewrites them.
  SetControlText(this, StatIds::kCount, {});
  ShowReadoutTexts(this, NoiseReadouts(m_session.Noise(), m_session.NoiseLeqLabel()));
  m_pPane->StoreReset(false);
  emit commandStateChanged();
}

void CMyVomoView::OnSampleTaken(const SSample &s) {
  m_pPane->SampleAppended();
  ShowStatistics();
  if (s.nCount == 1)
    emit commandStateChanged(); // the store is no longer empty
}

void CMyVomoView::OnFrameDecoded(const CMeterReading &state) {
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
  m_pReadout->update(QRect(52, 107, 114, 193)); // the display's digits and marks
  emit commandStateChanged();
}
