#include "graph/CurveCut.h"

#include <algorithm>
#include <cstdlib>

void CutCurve(std::span<const GraphPoint> pts, int left, int top, int right, int bottom, CurveCut &out) {
  out.points.clear();
  out.pieceEnds.clear();
  out.fills.clear();
  const bool bClosed = pts.size() > 1 && pts.front() == pts.back();
  auto inside = [&](GraphPoint p) { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; };
  std::size_t nPieceStart = 0;
  for (std::size_t k = 0; k < pts.size(); ++k) {
    if (k > 0 && !bClosed) {
      const GraphPoint a = pts[k - 1], b = pts[k];
      const int nLength = std::abs(b.y - a.y);
      const int dir = b.y > a.y ? 1 : -1;
      const GraphPoint end{a.x, a.y + dir * kCutKeep}, start{b.x, b.y - dir * (kCutKeep + 1)};
      // a piece that would end on its first point would read as closed (a
      // piece begins one row further from its cut than one ends, so that
      // the next segment of an up-and-down column can still be cut)
      if (a.x == b.x && nLength >= kCutMinLength && inside(a) && inside(b) &&
          !(out.points[nPieceStart] == end) && !(start == pts.back())) {
        out.points.push_back(end);
        out.pieceEnds.push_back(out.points.size());
        nPieceStart = out.points.size();
        out.points.push_back(start);
        // rows the stroker paints whatever it does at the segment's ends
        out.fills.push_back({a.x, std::min(a.y, b.y) + 2, std::max(a.y, b.y) - 3});
      }
    }
    out.points.push_back(pts[k]);
  }
  out.pieceEnds.push_back(out.points.size());
}
