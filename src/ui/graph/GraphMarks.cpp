#include "graph/GraphMarks.h"

#include "graph/GraphMath.h"

#include <QPainter>

void PaintGraphMarks(QImage &image, const CGraphState &s, const GraphMarks &marks, int ox, int oy,
                     const QRect &clip) {
  if (marks.Empty() || !HasPlot(s))
    return;
  QPainter p(&image);
  const QRect plot(ox + kPlotLeft, oy + kPlotTop, s.m_plotWidth, s.m_plotHeight);
  p.setClipRect(clip.isNull() ? plot : plot & clip);
  for (const auto &[nFirst, nLast] : marks.events) {
    // the band covers its samples' columns: from the first to just before the one after the last
    const int x0 = NearPixel(SampleToX(s, static_cast<double>(nFirst), ox));
    const int x1 = std::max(x0 + 1, NearPixel(SampleToX(s, static_cast<double>(nLast) + 1, ox)));
    p.fillRect(QRect(QPoint(x0, plot.top()), QPoint(x1 - 1, plot.bottom())), QColor::fromRgba(kEventShade));
  }
  if (marks.dThreshold) {
    const int y = NearPixel(LevelToY(s, *marks.dThreshold, oy));
    QPen pen(QColor::fromRgb(kThresholdColor), 1);
    pen.setCosmetic(true);
    pen.setDashPattern({6, 3});
    p.setPen(pen);
    p.drawLine(plot.left(), y, plot.right(), y);
  }
}
