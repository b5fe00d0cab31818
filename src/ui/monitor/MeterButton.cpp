#include "monitor/MeterButton.h"

#include "kit/DialogBuilder.h"
#include "kit/Tr.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

CMeterButton::CMeterButton(const MeterKeyPlace &place, const QImage &image, QWidget *parent)
    : QPushButton(parent), m_place(place), m_image(image) {
  setObjectName(CtlName(place.nId));
  setAccessibleName(TrIn("MeterKeys", place.pszText));
  setToolTip(accessibleName());
  setFixedSize(place.cx, place.cy);
  move(place.xDrawn, place.yDrawn);
  connect(this, &QAbstractButton::pressed, this, [this] { FollowDown(true); });
  connect(this, &QAbstractButton::released, this, [this] { FollowDown(false); });
}

void CMeterButton::paintEvent(QPaintEvent *) {
  QPainter p(this);
  p.drawImage(0, 0, m_image);
  if (hasFocus()) {
    p.setPen(QPen(QColor(255, 255, 255, 140), 1, Qt::DotLine));
    p.drawRect(rect().adjusted(2, 2, -3, -3));
  }
}

void CMeterButton::mousePressEvent(QMouseEvent *e) {
  const bool bWasDown = isDown();
  QPushButton::mousePressEvent(e);
  if (e->button() == Qt::LeftButton && !bWasDown && isDown())
    emit meterKey(m_place.nKeyIndex);
}

void CMeterButton::keyPressEvent(QKeyEvent *e) {
  const bool bWasDown = isDown();
  QPushButton::keyPressEvent(e);
  if (e->key() == Qt::Key_Space && !e->isAutoRepeat() && !bWasDown && isDown())
    emit meterKey(m_place.nKeyIndex);
}

void CMeterButton::FollowDown(bool bDown) {
  move(bDown ? m_place.xPressed : m_place.xDrawn, bDown ? m_place.yPressed : m_place.yDrawn);
}
