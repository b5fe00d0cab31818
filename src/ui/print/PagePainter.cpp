#include "print/PagePainter.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {
QColor FromRgb(std::uint32_t rgb) {
  return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}
} // namespace

QFont MakePageFont(int cellHeight, QPaintDevice *device) {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setWeight(QFont::ExtraLight);
  const int height = std::max(cellHeight, 1);
  font.setPixelSize(height);
  // The height is the cell height, as printer fonts are sized; Qt sizes the
  // em, which is smaller by the font's internal leading.
  const int cell = QFontMetrics(font, device).height();
  if (cell > height)
    font.setPixelSize(std::max(1, height * height / cell));
  return font;
}

int PageLineHeight(const QFont &font, QPaintDevice *device) {
  const QFontMetrics fm(font, device);
  return fm.height() + std::max(fm.leading(), 0);
}

int PageTextWidth(const QPainter &painter, const std::string &text) {
  return painter.fontMetrics().horizontalAdvance(QString::fromUtf8(text));
}

void PaintPage(QPainter &painter, const PageImage &page) {
  const int ascent = painter.fontMetrics().ascent();
  for (const PageOp &op : page.ops) {
    switch (op.kind) {
    case PageOp::Kind::Text:
      painter.setPen(Qt::black);
      painter.drawText(op.x1, op.y1 + ascent, QString::fromUtf8(op.text));
      break;
    case PageOp::Kind::Line:
      painter.setPen(QPen(FromRgb(op.rgb), std::max(op.penWidth, 1)));
      painter.drawLine(op.x1, op.y1, op.x2, op.y2);
      break;
    case PageOp::Kind::Ellipse:
      painter.setPen(QPen(FromRgb(op.rgb), std::max(op.penWidth, 1)));
      painter.setBrush(Qt::NoBrush);
      painter.drawEllipse(QRect(QPoint(op.x1, op.y1), QPoint(op.x2, op.y2)));
      break;
    case PageOp::Kind::Fill:
      painter.fillRect(op.x1, op.y1, op.x2, op.y2, FromRgb(op.rgb));
      break;
    case PageOp::Kind::Clip:
      if (op.x2 > 0 && op.y2 > 0)
        painter.setClipRect(op.x1, op.y1, op.x2, op.y2);
      else
        painter.setClipping(false);
      break;
    }
  }
}
