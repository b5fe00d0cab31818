#include "uikit/ReadoutTexts.h"

#include "uikit/DialogBuilder.h"

#include <QLabel>
#include <QLineEdit>

void SetControlText(const QWidget *dlg, int nId, const QString &text) {
  if (auto *e = DlgItem<QLineEdit>(dlg, nId))
    e->setText(text);
  else if (auto *l = DlgItem<QLabel>(dlg, nId))
    l->setText(text);
}

void ShowReadoutTexts(const QWidget *dlg, const std::vector<ControlText> &readouts) {
  for (const ControlText &r : readouts)
    SetControlText(dlg, r.nId, QString::fromStdString(r.strText));
}
