#include "graph/GraphPainter.h"

#include "graph/CurveEnvelope.h"
#include "graph/GraphMath.h"
#include "uikit/DialogBuilder.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>

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

// Text with its top-left corner at (x, top).
void TextAt(QPainter &p, const QFontMetrics &fm, int x, int top, const QString &text) {
  p.drawText(x, top + fm.ascent(), text);
}
} // namespace

CGraphPainter::CGraphPainter() : m_font(DialogFont("Arial", 9)) {}

const QImage &CGraphPainter::Marker(GraphColor c) {
  // One ellipse drawn once and copied: the same pixels at every whole-pixel offset.
  if (m_marker.isNull() || m_markerColor != c) {
    m_marker = QImage(2 * kMarkerCentre + 1, 2 * kMarkerCentre + 1, QImage::Format_ARGB32_Premultiplied);
    m_marker.fill(Qt::transparent);
    QPainter mp(&m_marker);
    mp.setPen(SolidPen(c, 3));
    mp.setBrush(Qt::NoBrush);
    mp.drawEllipse(QRect(kMarkerCentre - 1, kMarkerCentre - 1, 2, 2));
    m_markerColor = c;
  }
  return m_marker;
}

void CGraphPainter::Paint(QImage &image, const CGraphState &s, const CSampleArray &samples,
                          const TimeAxisLabels &labels) {
  const QColor frame = ToQColor(kFrameColor);
  if (!HasPlot(s)) {
    image.fill(frame);
    return;
  }
  const int w = s.m_plotWidth, h = s.m_plotHeight;
  m_cut.points.clear();
  m_cut.fills.clear();
  {
    QPainter p(&image);
    p.fillRect(kPlotLeft, kPlotTop, w, h, ToQColor(s.m_bkColor));
    if (!samples.IsEmpty())
      DrawCurve(p, s, samples);
  }
  FillCutRows(image, s);
  {
    QPainter p(&image);
    DrawCursors(p, s);
    // the margins cover whatever the curve and the cursors drew outside the plot
    p.fillRect(0, h + 10, w + 90, 20, frame);
    p.fillRect(0, 0, 45, h + 10, frame);
    p.fillRect(0, 0, w + 90, 10, frame);
    p.fillRect(w + 45, 0, 45, h + 25, frame);
  }
  DrawGridLines(image, s);
  QPainter p(&image);
  p.setFont(m_font);
  DrawGrid(p, s);
  DrawTimeAxis(p, s, labels);
  if (s.m_showBox) {
    p.setPen(DottedPen(Qt::black));
    p.setBrush(Qt::NoBrush);
    const GraphPoint a = s.m_boxStart, b = s.m_boxEnd;
    // the outline covers the columns and rows from the near corner up to, not including, the far one
    const int l = std::min(a.x, b.x), t = std::min(a.y, b.y);
    p.drawRect(l, t, std::max(0, std::max(a.x, b.x) - l - 1), std::max(0, std::max(a.y, b.y) - t - 1));
  }
}

void CGraphPainter::DrawGridLines(QImage &image, const CGraphState &s) {
  // Dotted lines, three pixels on and three off from the start, written
  // straight into the image: a dashing pen costs more than the whole curve.
  const QRgb c = ToQColor(s.m_gridColor).rgb();
  const int w = s.m_plotWidth, h = s.m_plotHeight;
  const int nImgW = image.width(), nImgH = image.height();
  uchar *bits = image.bits();
  const qsizetype nStride = image.bytesPerLine();
  auto row = [&](int y) { return reinterpret_cast<QRgb *>(bits + y * nStride); };
  for (int k = 0; k <= 20; ++k) {
    const int x = GridColumnX(s, k);
    if (x < 0 || x >= nImgW)
      continue;
    for (int j = 0; j < h && kPlotTop + j < nImgH; ++j)
      if (j % 6 < 3)
        row(kPlotTop + j)[x] = c;
  }
  for (int k = 0; k <= 10; ++k) {
    const int y = GridRowY(s, k);
    if (y < 0 || y >= nImgH)
      continue;
    QRgb *line = row(y);
    for (int j = 0; j < w && kPlotLeft + j < nImgW; ++j)
      if (j % 6 < 3)
        line[kPlotLeft + j] = c;
  }
}

void CGraphPainter::DrawCurve(QPainter &p, const CGraphState &s, const CSampleArray &samples) {
  const SampleRange r = VisibleRange(s, samples.GetSize());
  if (r.last >= r.first + 2) {
    // segments from i to i + 1 for first <= i < last - 1
    m_curve.Clear();
    AddCurvePoints(s, samples.Stretches(), r.first, r.last, m_curve);
    const std::vector<GraphPoint> &pts = m_curve.Finish();
    p.setPen(SolidPen(s.m_lineColor, 1));
    if (ShowMarkers(s)) {
      // more than three pixels per sample: few samples are in view
      DrawPolyline(p, pts, 0, pts.size());
      const QImage &marker = Marker(s.m_lineColor);
      for (std::size_t i = r.first; i < r.last; ++i) {
        const GraphPoint pt = CurvePoint(s, i, samples.Level(i));
        p.drawImage(pt.x - kMarkerCentre, pt.y - kMarkerCentre, marker);
      }
    } else {
      CutCurve(pts, kPlotLeft, kPlotTop, kPlotLeft + s.m_plotWidth, kPlotTop + s.m_plotHeight, m_cut);
      std::size_t nFirst = 0;
      for (std::size_t nEnd : m_cut.pieceEnds) {
        DrawPolyline(p, m_cut.points, nFirst, nEnd);
        nFirst = nEnd;
      }
    }
  }
}

void CGraphPainter::DrawPolyline(QPainter &p, const std::vector<GraphPoint> &pts, std::size_t nFirst,
                                 std::size_t nEnd) {
  m_points.resize(static_cast<int>(nEnd - nFirst));
  for (std::size_t k = nFirst; k < nEnd; ++k)
    m_points[static_cast<int>(k - nFirst)] = QPoint(pts[k].x, pts[k].y);
  p.drawPolyline(m_points);
}

void CGraphPainter::FillCutRows(QImage &image, const CGraphState &s) {
  const QRgb c = ToQColor(s.m_lineColor).rgb();
  uchar *bits = image.bits();
  const qsizetype nStride = image.bytesPerLine();
  // Fills come column by column; a row of 16 neighbouring ones at a time
  // writes one cache line instead of touching a line per pixel.
  const std::vector<CurveCut::Fill> &fills = m_cut.fills;
  for (std::size_t a = 0; a < fills.size(); a += 16) {
    const std::size_t b = std::min(fills.size(), a + 16);
    int yTop = fills[a].yTop, yBottom = fills[a].yBottom;
    int yAllTop = yTop, yAllBottom = yBottom; // rows every fill of the block covers
    bool bSideBySide = true;
    for (std::size_t k = a + 1; k < b; ++k) {
      yTop = std::min(yTop, fills[k].yTop);
      yBottom = std::max(yBottom, fills[k].yBottom);
      yAllTop = std::max(yAllTop, fills[k].yTop);
      yAllBottom = std::min(yAllBottom, fills[k].yBottom);
      bSideBySide = bSideBySide && fills[k].x == fills[k - 1].x + 1;
    }
    if (!bSideBySide)
      yAllTop = yAllBottom + 1;
    for (int y = yTop; y <= yBottom; ++y) {
      QRgb *line = reinterpret_cast<QRgb *>(bits + y * nStride);
      if (y >= yAllTop && y <= yAllBottom) {
        std::fill_n(line + fills[a].x, b - a, c);
        continue;
      }
      for (std::size_t k = a; k < b; ++k)
        if (y >= fills[k].yTop && y <= fills[k].yBottom)
          line[fills[k].x] = c;
    }
  }
}

void CGraphPainter::DrawCursors(QPainter &p, const CGraphState &s) {
  auto cursor = [&](int nIndex, GraphColor c) {
    if (nIndex == -1)
      return;
    const int x = std::clamp(CursorToX(s, nIndex), -10, s.m_plotWidth + kMarginWidth + 10);
    p.setPen(SolidPen(c, 2));
    p.drawLine(x, kPlotTop, x, kPlotTop + s.m_plotHeight);
  };
  cursor(s.m_cursorA, kCursorAColor);
  cursor(s.m_cursorB, kCursorBColor);
}

void CGraphPainter::DrawGrid(QPainter &p, const CGraphState &s) {
  const int w = s.m_plotWidth, h = s.m_plotHeight;
  const QFontMetrics fm(m_font);
  const int nLine = fm.lineSpacing();
  for (int k = 0; k <= 10; ++k) {
    const int y = GridRowY(s, k);
    const QString text = QString::asprintf("%.2f", GridLevel(s, k));
    p.setPen(Qt::black);
    TextAt(p, fm, kPlotLeft - fm.horizontalAdvance(text) - 2, y - nLine / 2, text);
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

void CGraphPainter::DrawTimeAxis(QPainter &p, const CGraphState &s, const TimeAxisLabels &labels) {
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
    const QString text = QString::fromStdString(labels.labels[static_cast<std::size_t>(i)]);
    p.setPen(Qt::black);
    TextAt(p, fm, x - fm.horizontalAdvance(text) / 2, h + 16, text);
  }
}
