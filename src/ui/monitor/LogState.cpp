#include "monitor/LogState.h"

#include "forms/LogStateTemplate.h"
#include "kit/DialogBuilder.h"

#include <QProgressBar>
#include <QPushButton>

#include <algorithm>

CLogState::CLogState(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  const DlgTemplate &t = LogStateTemplate();
  CDialogBuilder b(t);
  b.Build(this);
  setObjectName(QStringLiteral("logState"));
  setAccessibleName(TemplateText(t, "Aceitando dados! Aguardar......."));
  setFixedSize(b.DialogSize());
  setFont(b.Font());
  m_progress = DlgItem<QProgressBar>(this, IDC_LOG_PROGRESS);
  m_progress->setTextVisible(false);
  m_progress->setRange(0, 100);
  m_progress->setValue(0);
  m_pCancel = DlgItem<QPushButton>(this, IDCANCEL);
  m_pCancel->setAutoDefault(false);
  connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CLogState::SetRange(int nMax) {
  // The meter's length word is 16 bits; a word below the fixed overhead
  // announces nothing to show.
  m_progress->setRange(0, std::clamp(nMax, 0, 0xFFFF));
}

void CLogState::SetPos(int nPos) {
  m_progress->setValue(std::clamp(nPos, m_progress->minimum(), m_progress->maximum()));
}
