#pragma once

#include <QDialog>

class QProgressBar;
class QPushButton;

// The pop-up shown while the meter's data-logger memory arrives: a line of
// text and a bar of the bytes received against the size the meter
// announced. "Cancelar" and Esc end it (rejected): the download ends at
// once, keeping what arrived; the end of the download closes it (accepted).
class CLogState : public QDialog {
  Q_OBJECT
public:
  explicit CLogState(QWidget *parent = nullptr);

  // The bar's range is 0 .. nMax (the announced size), its position the
  // bytes received; values the bar cannot show are clamped.
  void SetRange(int nMax);
  void SetPos(int nPos);

  QProgressBar *Progress() const { return m_progress; }
  QPushButton *CancelButton() const { return m_pCancel; }

private:
  QProgressBar *m_progress = nullptr;
  QPushButton *m_pCancel = nullptr;
};
