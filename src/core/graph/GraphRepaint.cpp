#include "graph/GraphRepaint.h"

#include <algorithm>

GraphView ViewOf(const CGraphState &s, int nWidth, int nHeight, const TimeAxisLabels &labels) {
  GraphView v;
  v.nWidth = nWidth;
  v.nHeight = nHeight;
  v.plotWidth = s.m_plotWidth;
  v.plotHeight = s.m_plotHeight;
  v.xScale = s.m_xScale;
  v.yScale = s.m_yScale;
  v.xMin = s.m_xMin;
  v.yMin = s.m_yMin;
  v.xOffset = s.m_xOffset;
  v.yOffset = s.m_yOffset;
  v.bk = s.m_bkColor;
  v.grid = s.m_gridColor;
  v.line = s.m_lineColor;
  v.cursorMode = s.m_cursorMode;
  v.cursorA = s.m_cursorA;
  v.cursorB = s.m_cursorB;
  v.showBox = s.m_showBox;
  v.boxStart = s.m_boxStart;
  v.boxEnd = s.m_boxEnd;
  v.hoverPoint = s.m_hoverPoint;
  v.labels = labels.labels;
  v.nLabelsFailedAt = labels.nFailedAt;
  return v;
}

GraphRect RepaintRect(const GraphView *before, const GraphView &after, GraphColumns curve) {
  const GraphRect whole{0, 0, after.nWidth, after.nHeight};
  if (!before || !(*before == after))
    return whole;
  // The curve lives in the plot, clipped to the control: nothing outside it moved.
  const int nLeft = std::max({curve.xFrom, kPlotLeft, 0});
  const int nRight = std::min({curve.xTo, kPlotLeft + after.plotWidth, after.nWidth});
  const int nTop = std::min(kPlotTop, after.nHeight);
  const int nBottom = std::min(kPlotTop + after.plotHeight, after.nHeight);
  if (nLeft >= nRight || nTop >= nBottom)
    return {};
  return {nLeft, nTop, nRight - nLeft, nBottom - nTop};
}
