#pragma once

#include "graph/CurveLayer.h"
#include "graph/GraphMarks.h"
#include "graph/GraphState.h"
#include "graph/TimeLabels.h"
#include "records/SampleArray.h"

#include <QColor>
#include <QFont>
#include <QImage>

inline QColor ToQColor(GraphColor c) {
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}
inline GraphColor FromQColor(const QColor &c) {
  return MakeGraphColor(c.red(), c.green(), c.blue());
}

// Paints a whole graph into an image of the control's size: plot fill,
// curve, margins, grid and level labels, time axis and labels, zoom box.
// The state must already hold its scales and the labels be computed.
class CGraphPainter {
public:
  CGraphPainter();

  const QFont &Font() const { return m_font; }
  void Paint(QImage &image, const CGraphState &s, const CSampleArray &samples, const TimeAxisLabels &labels,
             const GraphMarks &marks = {});

private:
  // The plot's rectangle of the curve layer into the image.
  static void CopyPlot(const QImage &layer, QImage &image, const CGraphState &s);
  void DrawCursors(QPainter &p, const CGraphState &s);
  void DrawGridLines(QImage &image, const CGraphState &s);
  // Level labels, level axis and the hover line; the dotted lines are drawn before.
  void DrawGrid(QPainter &p, const CGraphState &s);
  void DrawTimeAxis(QPainter &p, const CGraphState &s, const TimeAxisLabels &labels);

  QFont m_font;
  CCurveLayer m_layer;
};
