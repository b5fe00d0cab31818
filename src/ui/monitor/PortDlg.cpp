#include "monitor/PortDlg.h"

#include "forms/ControlIds.h"
#include "forms/Templates.h"
#include "kit/DialogBuilder.h"
#include "kit/Prompts.h"
#include "kit/TrStd.h"
#include "monitor/RTSetupCalc.h"

#include <QLineEdit>
#include <QPushButton>

CPort::CPort(CPrompts &prompts, QWidget *parent) : QDialog(parent), m_prompts(prompts) {
  const DlgTemplate &t = PortTemplate();
  CDialogBuilder b(t);
  b.Build(this);
  setObjectName(QStringLiteral("portDlg"));
  setWindowTitle(TemplateCaption(t));
  setFixedSize(b.DialogSize());
  m_pEdit = DlgItem<QLineEdit>(this, PortIds::kPort);
  connect(DlgItem<QPushButton>(this, IDOK), &QPushButton::clicked, this, &CPort::accept);
  connect(DlgItem<QPushButton>(this, IDCANCEL), &QPushButton::clicked, this, &CPort::reject);
}

int CPort::exec() {
  OnInitDialog();
  return QDialog::exec();
}

void CPort::OnInitDialog() {
  m_pEdit->setText(QString::number(m_nPort));
  m_pEdit->setFocus();
  m_pEdit->selectAll();
}

void CPort::accept() {
  IntFieldRead r = ReadIntField(m_pEdit->text().toStdString(), 0, kMaxPort, kEnterAPositiveInteger, TrStd);
  if (!r.bOk) {
    m_prompts.MessageBox(this, QString::fromStdString(r.strError), QStringLiteral("Tarvik"),
                         CPrompts::Buttons::Ok, CPrompts::Icon::Warning);
    m_pEdit->setFocus();
    m_pEdit->selectAll();
    return;
  }
  m_nPort = static_cast<unsigned>(r.nValue);
  QDialog::accept();
}

std::optional<int> AskPortNumber(CPrompts &prompts, QWidget *parent, int nPreset) {
  CPort dlg(prompts, parent);
  dlg.m_nPort = static_cast<unsigned>(nPreset);
  if (dlg.exec() != QDialog::Accepted)
    return std::nullopt;
  return static_cast<int>(dlg.m_nPort);
}
