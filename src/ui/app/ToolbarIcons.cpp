#include "app/ToolbarIcons.h"

#include "forms/CommandIds.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kW = 17; // toolbar buttons are 17 by 15 pixels
constexpr int kH = 15;

QPixmap Canvas() {
  QPixmap pm(kW, kH);
  pm.fill(Qt::transparent);
  return pm;
}

QPixmap DrawOpen() {
  QPixmap pm = Canvas();
  QPainter p(&pm);
  p.setPen(QColor(120, 90, 20));
  p.setBrush(QColor(240, 200, 90));
  p.drawRect(1, 4, 13, 9);
  p.drawRect(1, 2, 5, 2);
  return pm;
}

QPixmap DrawSave() {
  QPixmap pm = Canvas();
  QPainter p(&pm);
  p.setPen(Qt::black);
  p.setBrush(QColor(60, 80, 160));
  p.drawRect(2, 1, 12, 12);
  p.setBrush(Qt::white);
  p.drawRect(4, 1, 8, 5);
  p.fillRect(5, 9, 6, 4, QColor(200, 200, 200));
  return pm;
}

QPixmap DrawExport() {
  QPixmap pm = Canvas();
  QPainter p(&pm);
  p.setPen(QColor(20, 110, 40));
  p.setBrush(Qt::white);
  p.drawRect(1, 1, 14, 12);
  for (int x = 5; x < 15; x += 4)
    p.drawLine(x, 1, x, 13);
  for (int y = 4; y < 13; y += 3)
    p.drawLine(1, y, 15, y);
  return pm;
}

QPixmap DrawRun() {
  QPixmap pm = Canvas();
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QColor(0, 100, 0));
  p.setBrush(QColor(40, 180, 40));
  p.drawPolygon(QPolygonF({QPointF(4, 1.5), QPointF(14, 7.5), QPointF(4, 13.5)}));
  return pm;
}

QPixmap DrawStop() {
  QPixmap pm = Canvas();
  QPainter p(&pm);
  p.setPen(QColor(120, 0, 0));
  p.setBrush(QColor(210, 40, 40));
  p.drawRect(3, 2, 10, 10);
  return pm;
}

QPixmap DrawPrintGraph() {
  QPixmap pm = Canvas();
  QPainter p(&pm);
  p.setPen(Qt::black);
  p.setBrush(Qt::white);
  p.drawRect(4, 0, 8, 6);
  p.setBrush(QColor(160, 160, 160));
  p.drawRect(1, 6, 14, 6);
  p.setPen(QColor(200, 0, 0));
  p.drawPolyline(QPolygon({QPoint(5, 5), QPoint(7, 2), QPoint(9, 4), QPoint(11, 1)}));
  return pm;
}

QPixmap DrawAbout() {
  QPixmap pm = Canvas();
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QColor(0, 60, 140));
  p.setBrush(QColor(60, 120, 220));
  p.drawEllipse(QRectF(1.5, 0.5, 13, 13));
  QFont f;
  f.setPixelSize(11);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRect(1, 0, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
  return pm;
}

QIcon Themed(const char *name, QPixmap (*draw)()) {
  return QIcon::fromTheme(QString::fromLatin1(name), QIcon(draw()));
}

} // namespace

QIcon CommandIcon(int nCommandId) {
  switch (nCommandId) {
  case cmd::ID_OPEN:
    return Themed("document-open", DrawOpen);
  case cmd::ID_SAVE_AS:
    return Themed("document-save-as", DrawSave);
  case cmd::ID_EXPORT_EXCEL:
    return Themed("x-office-spreadsheet", DrawExport);
  case cmd::ID_RUN:
    return Themed("media-playback-start", DrawRun);
  case cmd::ID_STOP:
    return Themed("media-playback-stop", DrawStop);
  case cmd::ID_PRINT_GRAPH:
    return Themed("document-print", DrawPrintGraph);
  case cmd::ID_APP_ABOUT:
    return Themed("help-about", DrawAbout);
  default:
    return {};
  }
}
