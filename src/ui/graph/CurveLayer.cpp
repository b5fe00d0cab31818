#include "graph/CurveLayer.h"

#include "graph/CurveEnvelope.h"
#include "graph/GraphPainter.h"

#include <QPainter>
#include <QPen>

#include <algorithm>

namespace {
QPen CurvePen(GraphColor c) {
  QPen pen(ToQColor(c), 1);
  pen.setCosmetic(true);
  pen.setCapStyle(Qt::FlatCap);
  return pen;
}
} // namespace

CCurveLayer::Key CCurveLayer::KeyOf(const CGraphState &s, const CSampleArray &samples, int nWidth,
                                    int nHeight, std::size_t nFirst) {
  const CSampleStore *pStore = samples.Store();
  return {s.m_xScale,    s.m_yScale,
          s.m_xMin,      s.m_yMin,
          s.m_xOffset,   s.m_yOffset,
          s.m_plotWidth, s.m_plotHeight,
          nWidth,        nHeight,
          s.m_bkColor,   s.m_lineColor,
          pStore,        pStore ? pStore->Revision() : 0,
          nFirst};
}

const QImage &CCurveLayer::Update(const CGraphState &s, const CSampleArray &samples, int nWidth, int nHeight,
                                  QImage::Format format) {
  if (m_image.width() != nWidth || m_image.height() != nHeight || m_image.format() != format) {
    m_image = QImage(std::max(nWidth, 1), std::max(nHeight, 1), format);
    m_bValid = false;
  }
  const SampleRange r = VisibleRange(s, samples.GetSize());
  const Key key = KeyOf(s, samples, nWidth, nHeight, r.first);
  // a selection has no revision to tell a changed one by: it is drawn anew
  const bool bSame = m_bValid && key.pStore && key == m_key;
  m_changed = {};
  if (bSame && r.last == m_drawn.last)
    return m_image;
  const SampleRange drawn = m_drawn;
  if (bSame && m_bAppendable && r.last > m_drawn.last) {
    DrawTail(s, samples, r);
  } else {
    DrawWhole(s, samples, r);
    // Markers are drawn whole, yet appended samples only add strokes and
    // markers from the last one drawn on: the rest of the plot stays.
    if (bSame && r.last > drawn.last && ShowMarkers(s)) {
      const double dOld = static_cast<double>(std::max(drawn.last, r.first + 1) - 1);
      m_changed = {SampleToX(s, dOld) - kMarkerCentre - 1,
                   SampleToX(s, static_cast<double>(r.last - 1)) + kMarkerCentre + 2};
    }
  }
  m_key = key;
  m_bValid = true;
  return m_image;
}

void CCurveLayer::DrawWhole(const CGraphState &s, const CSampleArray &samples, SampleRange r) {
  m_cut.points.clear();
  m_cut.fills.clear();
  m_bAppendable = false;
  {
    QPainter p(&m_image);
    p.fillRect(kPlotLeft, kPlotTop, s.m_plotWidth, s.m_plotHeight, ToQColor(s.m_bkColor));
    // segments from i to i + 1 for first <= i < last - 1
    if (r.last >= r.first + 2) {
      m_curve.Clear();
      AddCurvePoints(s, samples.Stretches(), r.first, r.last, m_curve);
      p.setPen(CurvePen(s.m_lineColor));
      if (ShowMarkers(s)) {
        // more than three pixels per sample: few samples are in view
        DrawMarkers(p, s, samples, r);
      } else {
        DrawPoints(p, s, 0);
        m_bAppendable = true;
      }
    }
  }
  FillCutRows(s.m_lineColor);
  m_drawn = r;
  m_changed = {kPlotLeft, kPlotLeft + s.m_plotWidth};
}

void CCurveLayer::DrawTail(const CGraphState &s, const CSampleArray &samples, SampleRange r) {
  // Appended samples change only the last column's points and add columns
  // after it. A column's pixels come from the strokes that reach it, and
  // a stroke's from its ends and the stroke before it; so the columns
  // before the last one stay, and the rest is drawn again from two points
  // before the last column's first.
  const CCurvePoints::Mark mark = m_curve.LastRun();
  const int xFrom = m_curve.Finish()[mark.nPoints].x;
  const std::size_t nRedrawFrom = mark.nPoints >= 2 ? mark.nPoints - 2 : 0;
  const int xRedrawn = std::min(xFrom, m_curve.Finish()[nRedrawFrom].x);
  const int xOldEnd = m_curve.Finish().back().x;
  m_curve.Rewind(mark);
  AddCurvePoints(s, samples.Stretches(), m_drawn.first + mark.nSamples, r.last, m_curve);
  m_cut.points.clear();
  m_cut.fills.clear();
  {
    QPainter p(&m_image);
    const int nLeft = std::max(xFrom, kPlotLeft), nRight = kPlotLeft + s.m_plotWidth;
    if (nLeft < nRight)
      p.fillRect(nLeft, kPlotTop, nRight - nLeft, s.m_plotHeight, ToQColor(s.m_bkColor));
    p.setPen(CurvePen(s.m_lineColor));
    DrawPoints(p, s, nRedrawFrom);
  }
  FillCutRows(s.m_lineColor);
  m_drawn.last = r.last;
  // Points only move right, and a thin line's pixels stay within its points'
  // columns (one spare each side): nothing changed outside the redrawn strokes.
  m_changed = {xRedrawn - 1, std::max(xOldEnd, m_curve.Finish().back().x) + 2};
}

void CCurveLayer::DrawPoints(QPainter &p, const CGraphState &s, std::size_t nFrom) {
  const std::span<const GraphPoint> pts = std::span<const GraphPoint>(m_curve.Finish()).subspan(nFrom);
  CutCurve(pts, kPlotLeft, kPlotTop, kPlotLeft + s.m_plotWidth, kPlotTop + s.m_plotHeight, m_cut);
  std::size_t nFirst = 0;
  for (std::size_t nEnd : m_cut.pieceEnds) {
    DrawPolyline(p, m_cut.points, nFirst, nEnd);
    nFirst = nEnd;
  }
}

void CCurveLayer::DrawMarkers(QPainter &p, const CGraphState &s, const CSampleArray &samples, SampleRange r) {
  const std::vector<GraphPoint> &pts = m_curve.Finish();
  DrawPolyline(p, pts, 0, pts.size());
  const QImage &marker = Marker(s.m_lineColor);
  for (std::size_t i = r.first; i < r.last; ++i) {
    const GraphPoint pt = CurvePoint(s, i, samples.Level(i));
    p.drawImage(pt.x - kMarkerCentre, pt.y - kMarkerCentre, marker);
  }
}

const QImage &CCurveLayer::Marker(GraphColor c) {
  // One ellipse drawn once and copied: the same pixels at every whole-pixel offset.
  if (m_marker.isNull() || m_markerColor != c) {
    m_marker = QImage(2 * kMarkerCentre + 1, 2 * kMarkerCentre + 1, QImage::Format_ARGB32_Premultiplied);
    m_marker.fill(Qt::transparent);
    QPainter mp(&m_marker);
    QPen pen(ToQColor(c), 3);
    pen.setCapStyle(Qt::FlatCap);
    mp.setPen(pen);
    mp.setBrush(Qt::NoBrush);
    mp.drawEllipse(QRect(kMarkerCentre - 1, kMarkerCentre - 1, 2, 2));
    m_markerColor = c;
  }
  return m_marker;
}

void CCurveLayer::DrawPolyline(QPainter &p, const std::vector<GraphPoint> &pts, std::size_t nFirst,
                               std::size_t nEnd) {
  m_points.resize(static_cast<int>(nEnd - nFirst));
  for (std::size_t k = nFirst; k < nEnd; ++k)
    m_points[static_cast<int>(k - nFirst)] = QPoint(pts[k].x, pts[k].y);
  p.drawPolyline(m_points);
}

void CCurveLayer::FillCutRows(GraphColor line) {
  const QRgb c = ToQColor(line).rgb();
  uchar *bits = m_image.bits();
  const qsizetype nStride = m_image.bytesPerLine();
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
      QRgb *row = reinterpret_cast<QRgb *>(bits + y * nStride);
      if (y >= yAllTop && y <= yAllBottom) {
        std::fill_n(row + fills[a].x, b - a, c);
        continue;
      }
      for (std::size_t k = a; k < b; ++k)
        if (y >= fills[k].yTop && y <= fills[k].yBottom)
          row[fills[k].x] = c;
    }
  }
}
