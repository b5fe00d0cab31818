#include "monitor/RTSetup.h"
#include "forms/ControlIds.h"

#include "forms/ControlIds.h"
#include "forms/Templates.h"
#include "kit/DialogBuilder.h"
#include "kit/Prompts.h"
#include "kit/TrStd.h"
#include "monitor/RTSetupCalc.h"
#include "session/MonitorRun.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

CRTSetup::CRTSetup(CPrompts &prompts, QWidget *parent)
    : QDialog(parent), m_prompts(prompts), m_timers([this](int nId) { OnTimer(nId); }),
      m_now([] { return std::time(nullptr); }) {
  const DlgTemplate &t = RTSetupTemplate();
  CDialogBuilder b(t);
  b.Build(this);
  setObjectName(QStringLiteral("rtSetup"));
  setWindowTitle(TemplateCaption(t));
  setFixedSize(b.DialogSize());
  m_pSamples = DlgItem<QLineEdit>(this, SetupIds::kSamples);
  m_pRate = DlgItem<QComboBox>(this, SetupIds::kRate);
  m_editDuration = DlgItem<QLineEdit>(this, SetupIds::kDuration);
  connect(m_pSamples, &QLineEdit::textEdited, this, &CRTSetup::OnSamplesEdited);
  connect(m_pRate, &QComboBox::activated, this, [this] {
    ReadSamples();
    Recompute();
    WriteSamples();
  });
  connect(DlgItem<QPushButton>(this, IDOK), &QPushButton::clicked, this, &CRTSetup::accept);
  connect(DlgItem<QPushButton>(this, IDCANCEL), &QPushButton::clicked, this, &CRTSetup::reject);
}

int CRTSetup::exec() {
  if (!m_bInitialised)
    OnInitDialog();
  return QDialog::exec();
}

void CRTSetup::OnInitDialog() {
  m_bInitialised = true;
  WriteSamples();
  m_pRate->clear();
  for (std::size_t i = 0; i < kSampleRates.size(); ++i)
    m_pRate->addItem(QString::fromStdString(RateTextOneDecimal(i)));
  m_pRate->setCurrentIndex(kDefaultRateIndex);
  const double dSeconds = m_nSamples * kSampleRates[kDefaultRateIndex];
  const Hms d = SplitDuration(dSeconds);
  m_editDuration->setText(
      QCoreApplication::translate("SetupDialog", "%1 hour %2 minute %3 second").arg(d.h).arg(d.m).arg(d.s));
  ShowTimes(dSeconds);
  m_timers.SetTimer(TIMER_REFRESH, 1000);
  m_pSamples->setFocus();
}

void CRTSetup::OnTimer(int nId) {
  if (nId == TIMER_REFRESH)
    Recompute();
}

void CRTSetup::Recompute() {
  const int nIndex = m_pRate->currentIndex();
  const double dRate = nIndex >= 0 ? kSampleRates[static_cast<std::size_t>(nIndex)] : 0.0;
  const double dSeconds = m_nSamples * dRate;
  m_editDuration->setText(QString::fromStdString(DurationClock(SplitDuration(dSeconds))));
  ShowTimes(dSeconds);
}

void CRTSetup::ShowTimes(double dSeconds) {
  const std::time_t start = m_now();
  const std::time_t end = start + static_cast<std::time_t>(dSeconds);
  DlgItem<QLineEdit>(this, SetupIds::kStart)->setText(QString::fromStdString(FormatSetupTime(start)));
  DlgItem<QLineEdit>(this, SetupIds::kEnd)->setText(QString::fromStdString(FormatSetupTime(end)));
}

bool CRTSetup::ReadSamples() {
  IntFieldRead r = ReadIntField(m_pSamples->text().toStdString(), 1, kMaxSamples, kEnterAnInteger, TrStd);
  if (!r.bOk) {
    m_prompts.MessageBox(this, QString::fromStdString(r.strError), QStringLiteral("Tarvik"),
                         CPrompts::Buttons::Ok, CPrompts::Icon::Warning);
    m_pSamples->setFocus();
    m_pSamples->selectAll();
    return false;
  }
  m_nSamples = static_cast<int>(r.nValue);
  return true;
}

void CRTSetup::WriteSamples() {
  const QString text = QString::number(m_nSamples);
  if (m_pSamples->text() == text)
    return;
  m_bWriting = true;
  m_pSamples->setText(text);
  m_bWriting = false;
}

void CRTSetup::OnSamplesEdited() {
  if (m_bWriting)
    return;
  // A rejected text gives way to the last valid count again.
  ReadSamples();
  Recompute();
  WriteSamples();
}

void CRTSetup::accept() {
  m_nRateIndex = m_pRate->currentIndex();
  if (!ReadSamples())
    return;
  m_timers.KillTimer(TIMER_REFRESH);
  QDialog::accept();
}

std::optional<SetupChoice> RunSetupDialog(CPrompts &prompts, QWidget *parent, int nSamples) {
  CRTSetup dlg(prompts, parent);
  dlg.m_nSamples = nSamples;
  if (dlg.exec() != QDialog::Accepted)
    return std::nullopt;
  return SetupChoice{dlg.m_nSamples, dlg.m_nRateIndex};
}
