#include "monitor/FormColours.h"

#include "forms/ControlIds.h"
#include "kit/DialogBuilder.h"

#include <QComboBox>
#include <QLabel>

namespace {
const QColor kControlBack(170, 175, 195);
const QColor kCursorA(110, 30, 200);
const QColor kCursorB(0, 255, 0);
const QColor kRateBack(100, 100, 100);
} // namespace

void ApplyFormColours(QWidget &form) {
  form.setAutoFillBackground(true);
  QPalette pal = form.palette();
  pal.setColor(QPalette::Window, kControlBack);
  pal.setColor(QPalette::Button, kControlBack);
  form.setPalette(pal);
  // Edits keep the default base colour; labels, frames and buttons take the
  // control background through the palette they inherit.
  for (int nId : {FormIds::kCursorALabel, FormIds::kCursorBLabel}) {
    QLabel *l = DlgItem<QLabel>(&form, nId);
    QPalette lp = l->palette();
    lp.setColor(QPalette::WindowText, nId == FormIds::kCursorALabel ? kCursorA : kCursorB);
    l->setPalette(lp);
  }
  QComboBox *rate = DlgItem<QComboBox>(&form, StatIds::kRate);
  QPalette rp = rate->palette();
  rp.setColor(QPalette::Button, kRateBack);
  rp.setColor(QPalette::Base, kRateBack);
  rate->setPalette(rp);
}
