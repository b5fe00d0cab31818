#include "graph/GraphPainter.h"

#include "graph/ColorContrast.h"
#include "graph/GraphMath.h"
#include "kit/DialogBuilder.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cstring>

namespace {
QPen SolidPen(GraphColor c, int nWidth) {
  QPen pen(ToQColor(c), nWidth);
  pen.setCosmetic(nWidth == 1);
  pen.setCapStyle(Qt::FlatCap);
  return pen;
}

QPen DottedPen(const QColor &c) {
  QPen pen(c, 1);
  pen.setCosmetic(true); // the cosmetic stroker dashes without building paths
  pen.setDashPattern({3, 3});
  pen.setCapStyle(Qt::FlatCap);
  return pen;
}

// Whether rows from `top` down, a line of text high, may reach into `clip`:
// a glyph's edge may stand two pixels past the text's box.
bool TextRowsMeet(const QRect &clip, const QFontMetrics &fm, int top) {
  return clip.top() < top + fm.height() + 2 && clip.bottom() >= top - 2;
}

// Text `nAdvance` wide with its top-left corner at (x, top), unless it stays outside `clip`.
void TextAt(QPainter &p, const QFontMetrics &fm, int x, int top, const QString &text, int nAdvance,
            const QRect &clip) {
  if (clip.intersects(QRect(x - 2, top - 2, nAdvance + 4, fm.height() + 4)))
    p.drawText(x, top + fm.ascent(), text);
}
} // namespace

CGraphPainter::CGraphPainter() : m_font(DialogFont("Arial", 9)) {}

GraphRect CGraphPainter::Paint(QImage &image, const CGraphState &s, const CSampleArray &samples,
                               const TimeAxisLabels &labels, const GraphMarks &marks) {
  if (!HasPlot(s)) {
    image.fill(ToQColor(kFrameColor));
    m_bShown = false;
    return {0, 0, image.width(), image.height()};
  }
  const QImage &layer = m_layer.Update(s, samples, image.width(), image.height(), image.format());
  GraphView view = ViewOf(s, image.width(), image.height(), labels);
  view.threshold = marks.dThreshold;
  view.events = marks.events;
  const GraphRect r = RepaintRect(m_bShown ? &m_shown : nullptr, view, m_layer.Changed());
  m_shown = std::move(view);
  m_bShown = true;
  if (!r.Empty())
    PaintClipped(image, s, layer, labels, marks, QRect(r.x, r.y, r.width, r.height));
  return r;
}

void CGraphPainter::PaintClipped(QImage &image, const CGraphState &s, const QImage &layer,
                                 const TimeAxisLabels &labels, const GraphMarks &marks, const QRect &clip) {
  const QColor frame = ToQColor(kFrameColor);
  const int w = s.m_plotWidth, h = s.m_plotHeight;
  const bool bWhole = clip == image.rect();
  CopyPlot(layer, image, s, clip);
  PaintGraphMarks(image, s, marks, 0, 0, clip);
  {
    QPainter p(&image);
    if (!bWhole)
      p.setClipRect(clip);
    DrawCursors(p, s);
    // the margins cover whatever the curve and the cursors drew outside the plot
    p.fillRect(0, h + 10, w + 90, 20, frame);
    p.fillRect(0, 0, 45, h + 10, frame);
    p.fillRect(0, 0, w + 90, 10, frame);
    p.fillRect(w + 45, 0, 45, h + 25, frame);
  }
  DrawGridLines(image, s, clip);
  QPainter p(&image);
  if (!bWhole)
    p.setClipRect(clip);
  p.setFont(m_font);
  DrawGrid(p, s, clip);
  DrawTimeAxis(p, s, labels, clip);
  if (s.m_showBox) {
    p.setPen(DottedPen(Qt::black));
    p.setBrush(Qt::NoBrush);
    const GraphPoint a = s.m_boxStart, b = s.m_boxEnd;
    // the outline covers the columns and rows from the near corner up to, not including, the far one
    const int l = std::min(a.x, b.x), t = std::min(a.y, b.y);
    p.drawRect(l, t, std::max(0, std::max(a.x, b.x) - l - 1), std::max(0, std::max(a.y, b.y) - t - 1));
  }
}

void CGraphPainter::DrawGridLines(QImage &image, const CGraphState &s, const QRect &clip) {
  // Dotted lines, three pixels on and three off from the start, written
  // straight into the image: a dashing pen costs more than the whole curve.
  const QRgb c = ToQColor(s.m_gridColor).rgb();
  const int w = s.m_plotWidth, h = s.m_plotHeight;
  const QRect area = clip & image.rect();
  const int nImgW = area.right() + 1, nImgH = area.bottom() + 1;
  uchar *bits = image.bits();
  const qsizetype nStride = image.bytesPerLine();
  auto row = [&](int y) { return reinterpret_cast<QRgb *>(bits + y * nStride); };
  for (int k = 0; k <= 20; ++k) {
    const int x = GridColumnX(s, k);
    if (x < area.left() || x >= nImgW)
      continue;
    for (int j = std::max(0, area.top() - kPlotTop); j < h && kPlotTop + j < nImgH; ++j)
      if (j % 6 < 3)
        row(kPlotTop + j)[x] = c;
  }
  for (int k = 0; k <= 10; ++k) {
    const int y = GridRowY(s, k);
    if (y < area.top() || y >= nImgH)
      continue;
    QRgb *line = row(y);
    for (int j = std::max(0, area.left() - kPlotLeft); j < w && kPlotLeft + j < nImgW; ++j)
      if (j % 6 < 3)
        line[kPlotLeft + j] = c;
  }
}

void CGraphPainter::CopyPlot(const QImage &layer, QImage &image, const CGraphState &s, const QRect &clip) {
  // the layer has the image's size and format: rows copy byte for byte
  const QRect area = QRect(kPlotLeft, kPlotTop, std::max(s.m_plotWidth, 0), std::max(s.m_plotHeight, 0)) &
                     clip & image.rect();
  if (area.isEmpty())
    return;
  const int nLeft = area.left(), nTop = area.top();
  const int nWidth = area.width();
  const int nBottom = area.bottom() + 1;
  const int nPixel = image.depth() / 8;
  const std::size_t nBytes = static_cast<std::size_t>(std::max(nWidth, 0) * nPixel);
  for (int y = nTop; y < nBottom; ++y)
    std::memcpy(image.scanLine(y) + nLeft * nPixel, layer.constScanLine(y) + nLeft * nPixel, nBytes);
}

void CGraphPainter::DrawCursors(QPainter &p, const CGraphState &s) {
  auto cursor = [&](int nIndex, GraphColor c) {
    if (nIndex == -1)
      return;
    const int x = std::clamp(CursorToX(s, nIndex), -10, s.m_plotWidth + kMarginWidth + 10);
    // A pixel of outline on each side: a dark cursor on a dark plot still shows.
    p.setPen(SolidPen(CursorOutlineColor(s.m_bkColor), 4));
    p.drawLine(x, kPlotTop, x, kPlotTop + s.m_plotHeight);
    p.setPen(SolidPen(c, 2));
    p.drawLine(x, kPlotTop, x, kPlotTop + s.m_plotHeight);
  };
  cursor(s.m_cursorA, kCursorAColor);
  cursor(s.m_cursorB, kCursorBColor);
}

void CGraphPainter::DrawGrid(QPainter &p, const CGraphState &s, const QRect &clip) {
  const int w = s.m_plotWidth, h = s.m_plotHeight;
  const QFontMetrics fm(m_font);
  const int nLine = fm.lineSpacing();
  // the labels end two pixels left of the plot: a clip inside it lays none out
  for (int k = 0; k <= 10 && clip.left() < kPlotLeft; ++k) {
    const int y = GridRowY(s, k);
    if (!TextRowsMeet(clip, fm, y - nLine / 2))
      continue;
    const QString text = QString::asprintf("%.2f", GridLevel(s, k));
    const int nAdvance = fm.horizontalAdvance(text);
    p.setPen(Qt::black);
    TextAt(p, fm, kPlotLeft - nAdvance - 2, y - nLine / 2, text, nAdvance, clip);
  }
  p.setPen(SolidPen(kLevelAxisColor, 1));
  p.drawLine(kPlotLeft, kPlotTop, kPlotLeft, h + kPlotTop);
  for (int k = 10; k >= 0; --k) {
    const int y = LevelTickY(s, k);
    p.drawLine(kPlotLeft, y, kPlotLeft + 8, y);
  }
  const GraphPoint hp = s.m_hoverPoint;
  if (s.m_cursorMode > 0 && hp.x > 0 && hp.x < w + kPlotLeft && hp.y > 0 && hp.y < h) {
    p.setPen(SolidPen(s.m_cursorMode == kCursorPlaceA ? kCursorAColor : kCursorBColor, 2));
    p.drawLine(hp.x, kPlotTop, hp.x, h + 8);
  }
}

void CGraphPainter::DrawTimeAxis(QPainter &p, const CGraphState &s, const TimeAxisLabels &labels,
                                 const QRect &clip) {
  const int w = s.m_plotWidth, h = s.m_plotHeight;
  const QFontMetrics fm(m_font);
  p.setPen(SolidPen(MakeGraphColor(0, 0, 0), 1));
  p.drawLine(kPlotLeft, h + kPlotTop, w + kPlotLeft, h + kPlotTop);
  // a label that could not be computed ends the axis after its tick
  const int nTicks = labels.Failed() ? labels.nFailedAt + 1 : 6;
  for (int i = 0; i < nTicks; ++i) {
    const int x = TimeTickX(s, i);
    p.setPen(SolidPen(MakeGraphColor(0, 0, 0), 3));
    p.drawLine(x, h + kPlotTop, x, h + 5);
    if (static_cast<std::size_t>(i) >= labels.labels.size())
      break;
    if (!TextRowsMeet(clip, fm, h + 16))
      continue;
    const QString text = QString::fromStdString(labels.labels[static_cast<std::size_t>(i)]);
    const int nAdvance = fm.horizontalAdvance(text);
    p.setPen(Qt::black);
    TextAt(p, fm, x - nAdvance / 2, h + 16, text, nAdvance, clip);
  }
}
