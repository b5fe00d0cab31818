#pragma once

#include "graph/CurveLayer.h"
#include "graph/GraphMarks.h"
#include "graph/GraphRepaint.h"
#include "graph/GraphState.h"
#include "graph/TimeLabels.h"
#include "records/SampleArray.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>

inline QColor ToQColor(GraphColor c) {
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}
inline GraphColor FromQColor(const QColor &c) {
  return MakeGraphColor(c.red(), c.green(), c.blue());
}

// Paints a graph into an image of the control's size: plot fill, curve,
// margins, grid and level labels, time axis and labels, zoom box. The
// state must already hold its scales and the labels be computed. The image
// is the one painted last time: only the part that differs is painted again.
class CGraphPainter {
public:
  CGraphPainter();

  const QFont &Font() const { return m_font; }
  // Returns the part of the image painted anew (empty when it shows the same).
  GraphRect Paint(QImage &image, const CGraphState &s, const CSampleArray &samples,
                  const TimeAxisLabels &labels, const GraphMarks &marks = {});

private:
  // Everything inside `clip`, the same pixels as a drawing of the whole image.
  void PaintClipped(QImage &image, const CGraphState &s, const QImage &layer, const TimeAxisLabels &labels,
                    const GraphMarks &marks, const QRect &clip);
  // The plot's rectangle of the curve layer into the image.
  static void CopyPlot(const QImage &layer, QImage &image, const CGraphState &s, const QRect &clip);
  void DrawCursors(QPainter &p, const CGraphState &s);
  void DrawGridLines(QImage &image, const CGraphState &s, const QRect &clip);
  // Level labels, level axis and the hover line; the dotted lines are drawn before.
  void DrawGrid(QPainter &p, const CGraphState &s, const QRect &clip);
  void DrawTimeAxis(QPainter &p, const CGraphState &s, const TimeAxisLabels &labels, const QRect &clip);

  QFont m_font;
  CCurveLayer m_layer;
  GraphView m_shown; // what the image shows, when m_bShown
  bool m_bShown = false;
};
