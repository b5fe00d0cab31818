#pragma once

#include "graph/CurveCut.h"
#include "graph/CurvePoints.h"
#include "graph/GraphMath.h"
#include "graph/GraphRepaint.h"
#include "graph/GraphState.h"
#include "records/SampleArray.h"

#include <QImage>
#include <QPolygon>

#include <cstdint>

class QPainter;

// The plot's background and curve, the bottom layer of the graph's image,
// kept between draws. While the scales, colours and size stay and the store
// only grows (a live run between two widenings of the range), a draw takes
// in the new samples by redrawing the columns from the last one on, so its
// cost follows the samples added, not the samples stored. Anything else
// draws the whole curve again. Only the plot's rectangle is kept right: the
// graph's margins cover the rest.
class CCurveLayer {
public:
  // The layer for `samples` under `s` on an image of the given size and format.
  const QImage &Update(const CGraphState &s, const CSampleArray &samples, int nWidth, int nHeight,
                       QImage::Format format = QImage::Format_RGB32);
  // The columns whose pixels the last Update changed; outside them the layer is as before.
  GraphColumns Changed() const { return m_changed; }

private:
  // What the kept layer was drawn for; an equal key with more samples of
  // the same store, and nothing else changed, is an appended curve.
  struct Key {
    double xScale = 0, yScale = 0, xMin = 0, yMin = 0, xOffset = 0, yOffset = 0;
    int plotWidth = 0, plotHeight = 0, nWidth = 0, nHeight = 0;
    GraphColor bk = 0, line = 0;
    const CSampleStore *pStore = nullptr;
    std::uint64_t nRevision = 0;
    std::size_t nFirst = 0;
    friend bool operator==(const Key &, const Key &) = default;
  };
  static Key KeyOf(const CGraphState &s, const CSampleArray &samples, int nWidth, int nHeight,
                   std::size_t nFirst);

  void DrawWhole(const CGraphState &s, const CSampleArray &samples, SampleRange r);
  // Redraws the columns from the kept curve's last one on, now with samples up to r.last.
  void DrawTail(const CGraphState &s, const CSampleArray &samples, SampleRange r);
  // Points [nFrom, end) of the curve, with their vertical strokes cut.
  void DrawPoints(QPainter &p, const CGraphState &s, std::size_t nFrom);
  void DrawMarkers(QPainter &p, const CGraphState &s, const CSampleArray &samples, SampleRange r);
  void DrawPolyline(QPainter &p, const std::vector<GraphPoint> &pts, std::size_t nFirst, std::size_t nEnd);
  // The middle rows of the cut vertical segments, written straight into the image.
  void FillCutRows(GraphColor line);
  const QImage &Marker(GraphColor c);

  QImage m_image;
  Key m_key;
  bool m_bValid = false;
  bool m_bAppendable = false; // the kept curve can take more samples
  SampleRange m_drawn;        // samples the kept curve is made of
  GraphColumns m_changed;
  CCurvePoints m_curve;
  CurveCut m_cut;
  QPolygon m_points; // reused between draws
  static constexpr int kMarkerCentre = 4;
  QImage m_marker;
  GraphColor m_markerColor = 0;
};
