#include "monitor/Readout.h"

#include "monitor/MeterArtwork.h"

#include <QFontMetricsF>
#include <QPainter>

QFont ReadoutQFont(const ReadoutFont &rf) {
  QFont f(QString::fromLatin1(rf.pszFace));
  f.setFamilies({QString::fromLatin1(rf.pszFace), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                 QStringLiteral("DejaVu Sans")});
  f.setWeight(rf.nWeight >= 700 ? QFont::Bold : QFont::Normal);
  f.setStyleStrategy(QFont::PreferAntialias);
  // The cell height (ascent + descent) is what the meter's fonts give; Qt
  // sizes by the em, so scale the em until the cell fits.
  f.setPixelSize(rf.nHeight);
  const qreal cell = QFontMetricsF(f).height();
  if (cell > 0)
    f.setPixelSize(std::max(1, qRound(rf.nHeight * rf.nHeight / cell)));
  if (rf.nWidth > 0) {
    const qreal avg = QFontMetricsF(f).averageCharWidth();
    if (avg > 0)
      f.setStretch(std::clamp(qRound(100.0 * rf.nWidth / avg), 1, 4000));
  }
  return f;
}

namespace {
void DrawText(QPainter &p, const ReadoutText &t) {
  if (t.strText.empty())
    return;
  const QFont f = ReadoutQFont(*t.pFont);
  p.setFont(f);
  p.drawText(QPointF(t.x, t.y + QFontMetricsF(f).ascent()), QString::fromStdString(t.strText));
}
} // namespace

void DrawReadout(QPainter &p, const CMeterReading &state, CReadoutLevels &levels, const CMeterArtwork &art) {
  const ReadoutItems items = LayoutReadout(state, levels);
  p.save();
  for (const auto &g : items.digits)
    p.drawImage(g.x, g.y, g.nImage == kPointImage ? art.Point() : art.Digit(g.nImage));
  p.setPen(Qt::black);
  p.setBackgroundMode(Qt::TransparentMode);
  DrawText(p, items.time);
  DrawText(p, items.timeLabel);
  for (const auto &t : items.barLabels)
    DrawText(p, t);
  for (const auto &m : items.barMarks)
    p.drawImage(m.x, m.y, art.Mark());
  for (const auto &t : items.status)
    DrawText(p, t);
  p.restore();
}

CReadout::CReadout(const CMeterArtwork &art) : m_art(art), m_image(art.Heard()) {}

void CReadout::Render(const CMeterReading &state) {
  QPainter p(&m_image);
  p.fillRect(kReadoutX, kReadoutY, kReadoutW, kReadoutH, QColor::fromRgb(kReadoutBackground));
  DrawReadout(p, state, m_levels, m_art);
  m_bRendered = true;
}
