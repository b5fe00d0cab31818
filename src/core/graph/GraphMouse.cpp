#include "graph/GraphMouse.h"

#include "graph/GraphMath.h"

#include <algorithm>
#include <cstdlib>

namespace {
// The sample under x when there is one; -1 otherwise.
int UsableIndex(const CGraphState &s, int x, std::size_t nCount) {
  long long idx = SampleAtX(s, x);
  if (idx < 0 || static_cast<unsigned long long>(idx) >= nCount)
    return -1;
  return static_cast<int>(idx);
}
} // namespace

GraphEvents OnLButtonDblClk(CGraphState &s, GraphPoint p) {
  if (InsidePlot(s, p)) {
    s.m_cursorA = -1;
    s.m_cursorB = -1;
    s.m_cursorMode = kCursorPlaceA;
    s.m_hoverPoint = {};
  }
  return {};
}

GraphEvents OnLButtonDown(CGraphState &s, GraphPoint p, std::size_t nCount) {
  GraphEvents ev;
  if (!InsidePlot(s, p))
    return ev;
  s.m_boxStart = p;
  s.m_boxEnd = p;
  s.m_dragging = true;
  const int idx = UsableIndex(s, p.x, nCount);
  if (s.m_cursorMode == kCursorPlaceA && idx >= 0) {
    s.m_cursorA = idx;
    s.m_cursorMode = kCursorPlaceB;
    ev.push_back({GraphEvent::Cursor, ECursor::A, s.m_cursorA});
  } else if (s.m_cursorMode == kCursorPlaceB && idx >= 0 && idx > s.m_cursorA) {
    s.m_cursorB = idx;
    s.m_cursorMode = kCursorIdle;
    ev.push_back({GraphEvent::Cursor, ECursor::B, s.m_cursorB});
  }
  return ev;
}

GraphEvents OnMouseMove(CGraphState &s, GraphPoint p, std::size_t nCount) {
  GraphEvents ev;
  const bool bInside = InsidePlot(s, p);
  const int idx = bInside ? UsableIndex(s, p.x, nCount) : -1;
  if (s.m_dragging && bInside && s.m_cursorMode == kCursorIdle) {
    s.m_showBox = true;
    s.m_boxEnd = p;
    ev.push_back({GraphEvent::Redraw});
  } else if (s.m_cursorMode > 0 && bInside) {
    s.m_hoverPoint = p;
    ev.push_back({GraphEvent::Redraw});
    if (s.m_cursorMode == kCursorPlaceA && idx >= 0)
      ev.push_back({GraphEvent::Cursor, ECursor::A, idx});
    else if (s.m_cursorMode == kCursorPlaceB && idx >= 0 && idx > s.m_cursorA)
      ev.push_back({GraphEvent::Cursor, ECursor::B, idx});
  }
  if (idx > 0)
    ev.push_back({GraphEvent::Hover, ECursor::A, idx});
  return ev;
}

GraphEvents OnLButtonUp(CGraphState &s, GraphPoint p) {
  GraphEvents ev;
  const int w = s.m_plotWidth, h = s.m_plotHeight;
  if (s.m_dragging && std::abs(p.x - s.m_boxStart.x) > kZoomMinBox &&
      std::abs(p.y - s.m_boxStart.y) > kZoomMinBox && s.m_cursorMode == kCursorIdle) {
    if (s.m_xScale > kZoomFloor) {
      // up to five pixels past the right edge, so a release there takes the last column
      const int x = std::clamp(p.x, kPlotLeft, std::max(kPlotLeft, w + 50));
      const int left = std::min(s.m_boxStart.x, x);
      s.m_xOffset += (left - kPlotLeft) * s.m_xScale;
      s.m_xScale = std::abs(x - s.m_boxStart.x) * s.m_xScale / w;
    }
    if (s.m_yScale > kZoomFloor) {
      const int y = std::clamp(p.y, kPlotTop, std::max(kPlotTop, h + 10));
      const int bottom = std::max(s.m_boxStart.y, y);
      s.m_yOffset += (h - bottom + 10) * s.m_yScale;
      s.m_yScale = std::abs(y - s.m_boxStart.y) * s.m_yScale / h;
    }
    s.m_zoomed = 1.0;
    ev.push_back({GraphEvent::Scale});
  }
  s.m_dragging = false;
  s.m_showBox = false;
  s.m_boxStart = {};
  s.m_boxEnd = {};
  ev.push_back({GraphEvent::Redraw});
  return ev;
}

GraphEvents OnRButtonUp(CGraphState &s) {
  s.m_cursorMode = kCursorIdle;
  s.m_cursorA = -1;
  s.m_cursorB = -1;
  s.m_hoverPoint = {};
  return {{GraphEvent::Redraw}};
}
