#pragma once

#include "graph/GraphState.h"

#include <cstddef>
#include <span>
#include <vector>

// The curve's polyline made cheaper to rasterise. With many samples per
// column most of the curve is long vertical segments, which the painter's
// line stroker fills one pixel span at a time. A vertical segment lying
// inside the plot keeps a few pixels at each end in the polyline, which is
// cut there into pieces; its middle rows are filled straight into the image.
// The stroker's pixels depend on each segment's ends and on the segment
// before it, and the cut keeps both for every segment it does not shorten,
// so the union of the pieces and the fills is the pixels of the whole line.
struct CurveCut {
  struct Fill {
    int x = 0;
    int yTop = 0;    // first row filled
    int yBottom = 0; // last row filled
  };
  std::vector<GraphPoint> points;
  std::vector<std::size_t> pieceEnds; // each piece ends before this index of `points`
  std::vector<Fill> fills;
};

// Rows kept in the polyline at the start of a cut segment (one more at its
// end), and the shortest segment worth cutting.
inline constexpr int kCutKeep = 4;
inline constexpr int kCutMinLength = 16;

// Cuts the vertical segments of `pts` longer than kCutMinLength whose ends
// both lie in the rectangle [left, right) x [top, bottom). A polyline that
// ends where it began is left whole (the stroker treats it as closed).
void CutCurve(std::span<const GraphPoint> pts, int left, int top, int right, int bottom, CurveCut &out);
