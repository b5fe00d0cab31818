#pragma once

#include "forms/MeterKeys.h"

#include <QImage>
#include <QPushButton>

// One of the meter's keys over the meter picture. It shows its key image,
// sinks one pixel while held down, and reports each press once, when the
// press begins: dragging off and back onto the key, or repainting it while
// it is down, sends nothing more.
class CMeterButton : public QPushButton {
  Q_OBJECT
public:
  CMeterButton(const MeterKeyPlace &place, const QImage &image, QWidget *parent);

signals:
  void meterKey(int nKeyIndex);

protected:
  void paintEvent(QPaintEvent *) override;
  void mousePressEvent(QMouseEvent *e) override;
  void keyPressEvent(QKeyEvent *e) override;

private:
  void FollowDown(bool bDown);

  const MeterKeyPlace &m_place;
  QImage m_image;
};
