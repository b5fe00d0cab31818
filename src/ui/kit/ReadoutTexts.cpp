#include "kit/ReadoutTexts.h"

#include "kit/DialogBuilder.h"

#include <QLabel>
#include <QLineEdit>

void SetControlText(const QWidget *dlg, int nId, const QString &text) {
  // A read-out written with every sample mostly keeps its text: leave it be.
  if (auto *e = DlgItem<QLineEdit>(dlg, nId)) {
    if (e->text() != text)
      e->setText(text);
  } else if (auto *l = DlgItem<QLabel>(dlg, nId)) {
    if (l->text() != text)
      l->setText(text);
  }
}

void ShowReadoutTexts(const QWidget *dlg, const std::vector<ControlText> &readouts) {
  for (const ControlText &r : readouts)
    SetControlText(dlg, r.nId, QString::fromStdString(r.strText));
}
