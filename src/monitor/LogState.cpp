#include "monitor/LogState.h"

#include "res/LogStateTemplate.h"
#include "uikit/DialogBuilder.h"

#include <QProgressBar>

#include <algorithm>

CLogState::CLogState(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  const DlgTemplate &t = LogStateTemplate();
  CDialogBuilder b(t);
  b.Build(this);
  setObjectName(QStringLiteral("logState"));
  setAccessibleName(QStringLiteral("Aceitando dados! Aguardar......."));
  setFixedSize(b.DialogSize());
  setFont(b.Font());
  m_progress = DlgItem<QProgressBar>(this, IDC_LOG_PROGRESS);
  m_progress->setTextVisible(false);
  m_progress->setRange(0, 100);
  m_progress->setValue(0);
}

void CLogState::SetRange(int nMax) {
  // The meter's length word is 16 bits; a word below the fixed overhead
  // announces nothing to show.
  m_progress->setRange(0, std::clamp(nMax, 0, 0xFFFF));
}

void CLogState::SetPos(int nPos) {
  m_progress->setValue(std::clamp(nPos, m_progress->minimum(), m_progress->maximum()));
}
