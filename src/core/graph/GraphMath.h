#pragma once

#include "graph/GraphState.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <functional>
#include <utility>

// Pixel arithmetic of the graph. Geometry is computed in double precision
// and truncated toward zero. Functions taking (ox, oy) map onto a plot whose
// top-left corner sits at (ox + 45, oy + 10); the screen uses (0, 0).

// Truncation toward zero, saturated so a far-off cursor cannot overflow.
inline int TruncToInt(double d) {
  if (std::isnan(d))
    return 0;
  constexpr double kLimit = 1e9;
  return static_cast<int>(std::clamp(d, -kLimit, kLimit));
}

// Far-off points are pulled in so the rasteriser's fixed-point range holds.
inline int NearPixel(int v) {
  constexpr int kFar = 1 << 22;
  return std::clamp(v, -kFar, kFar);
}

// A plot of zero or negative size has no scales; such a graph draws its frame only.
bool HasPlot(const CGraphState &s);

// Plot size from a control size, ranges back to their defaults and the
// scales recomputed; SetDefaultView also resets the sample span to 20.
void SetDefaultView(CGraphState &s, int nWidth, int nHeight);
void ResetScale(CGraphState &s, int nWidth, int nHeight);

// Position relative to the plot's top-left corner, before truncation.
double PlotX(const CGraphState &s, double dIndex);
double PlotY(const CGraphState &s, double dLevel);
// Inline: the curve maps every drawn sample and pyramid entry through them.
inline int SampleToX(const CGraphState &s, double dIndex, int ox = 0) {
  return TruncToInt((ox + kPlotLeft) + dIndex / s.m_xScale - (s.m_xOffset - s.m_xMin) / s.m_xScale);
}
inline int LevelToY(const CGraphState &s, double dLevel, int oy = 0) {
  return TruncToInt((oy + kPlotTop) + (s.m_yOffset - s.m_yMin) / s.m_yScale -
                    (dLevel - s.m_yMin) / s.m_yScale + s.m_plotHeight);
}
// Cursor lines truncate the plot-relative position before adding the origin.
int CursorToX(const CGraphState &s, int nIndex, int ox = 0);

// The nearest sample under column px, counted from the plot's left edge
// (halves round up). May be negative or past the data.
long long ColumnToSample(const CGraphState &s, int px);
// The same for a control x coordinate.
long long SampleAtX(const CGraphState &s, int x);
bool InsidePlot(const CGraphState &s, GraphPoint p);

// The nearest sample at time tick i (0..5).
long long TickSample(const CGraphState &s, int i);

// Before the curve is drawn: an unzoomed graph widens its sample range by
// one fifteenth at a time until every sample fits; a zoomed live graph
// moves right by one sample once the newest one reaches the right edge.
// `notify` runs after every change (the host reads the state then).
void GrowXRange(CGraphState &s, std::size_t nCount, const std::function<void()> &notify);

// Samples to draw: segments from i to i + 1 for first <= i < last - 1.
struct SampleRange {
  std::size_t first = 0;
  std::size_t last = 0;
};
SampleRange VisibleRange(const CGraphState &s, std::size_t nCount);
// Point markers once a sample is more than three pixels wide.
bool ShowMarkers(const CGraphState &s);

// Grid and axis positions on the screen plot.
int GridColumnX(const CGraphState &s, int k);  // k = 0..20
int GridRowY(const CGraphState &s, int k);     // k = 0..10, from the bottom
double GridLevel(const CGraphState &s, int k); // level at row k
int LevelTickY(const CGraphState &s, int k);   // k = 0..10, from the top
int TimeTickX(const CGraphState &s, int i);    // i = 0..5

// The scale notification's parameters: level scale and offset x 10000.
std::pair<int, int> ScaleParams(const CGraphState &s);

// Scroll bar ranges (0..nMax) and positions from the state.
struct ScrollSetting {
  int nMax = 0;
  int nPos = 0;
};
int VisibleLevels(const CGraphState &s);  // trunc(plot height x level scale)
int VisibleSamples(const CGraphState &s); // trunc(plot width x sample scale)
ScrollSetting LevelScroll(const CGraphState &s);
ScrollSetting SampleScroll(const CGraphState &s);
