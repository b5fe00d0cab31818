// What the receive path tells the view, and the download command.
#include "monitor/MyVomoView.h"
#include "monitor/ReadoutPanel.h"
#include "monitor/RegistoFlow.h"
#include "protocol/LogParser.h"
#include "serial/KeyRepeaters.h"
#include "uikit/Prompts.h"

void CMyVomoView::OnHoldSignal() {
  // The meter's HOLD ends the run as Parar would.
  OnStop();
}

void CMyVomoView::OnDownloadEnded() {
  m_pRegisto->OnDownloadEnded();
  emit downloadEnded();
  emit commandStateChanged();
}

void CMyVomoView::OnDownloadProgress(int nUpper, int /*nStep*/, int nPos) {
  m_pRegisto->OnProgress(nUpper, nPos);
}

void CMyVomoView::OnReadoutRefresh() {
  if (m_pReadoutPanel)
    m_pReadoutPanel->Refresh();
  emit readoutRefresh();
  if (m_pKeys)
    m_pKeys->OnFrameDecoded();
  if (!m_bFirstFrameSeen && !m_state.m_strCurTime.empty()) {
    m_bFirstFrameSeen = true;
    emit firstFrameDecoded();
  }
}

void CMyVomoView::OnDownloadText(const std::string &strText) {
  ParseLogData(strText, m_logDecode, m_stores.m_log, m_state, *this);
}

void CMyVomoView::OnRegisto() {
  // The flow refuses a run with a message and ignores a silent meter.
  m_pRegisto->OnRegisto();
  emit commandStateChanged();
}

void CMyVomoView::OnMeterKey(int nKey) {
  if (!m_state.m_bDataReceived || !m_pKeys)
    return;
  m_pKeys->Start(nKey);
}
