#include "graph/GraphMath.h"

#include <algorithm>
#include <cmath>

bool HasPlot(const CGraphState &s) {
  return s.m_plotWidth > 0 && s.m_plotHeight > 0 && s.m_xScale > 0 && s.m_yScale > 0;
}

namespace {
void SetPlotAndScales(CGraphState &s, int nWidth, int nHeight) {
  s.m_plotWidth = nWidth - kMarginWidth;
  s.m_plotHeight = nHeight - kMarginHeight;
  s.m_xMin = 0;
  s.m_yTop = 130;
  s.m_yMin = 0;
  if (s.m_plotWidth > 0 && s.m_plotHeight > 0) {
    s.m_xScale = (s.m_xSpan - s.m_xMin) / s.m_plotWidth;
    s.m_yScale = (s.m_yTop - s.m_yMin) / s.m_plotHeight;
  }
  s.m_xOffset = 0;
  s.m_yOffset = s.m_yMin;
}
} // namespace

void SetDefaultView(CGraphState &s, int nWidth, int nHeight) {
  s.m_xSpan = 20;
  SetPlotAndScales(s, nWidth, nHeight);
}

void ResetScale(CGraphState &s, int nWidth, int nHeight) {
  SetPlotAndScales(s, nWidth, nHeight);
  s.m_zoomed = 0.0;
}

double PlotX(const CGraphState &s, double dIndex) {
  return dIndex / s.m_xScale - (s.m_xOffset - s.m_xMin) / s.m_xScale;
}

double PlotY(const CGraphState &s, double dLevel) {
  return (s.m_yOffset - s.m_yMin) / s.m_yScale - (dLevel - s.m_yMin) / s.m_yScale + s.m_plotHeight;
}

int CursorToX(const CGraphState &s, int nIndex, int ox) {
  return ox + kPlotLeft + TruncToInt(nIndex / s.m_xScale - (s.m_xOffset - s.m_xMin) / s.m_xScale);
}

long long ColumnToSample(const CGraphState &s, int px) {
  double d = s.m_xScale * (px + (s.m_xOffset - s.m_xMin) / s.m_xScale + 1 / (2 * s.m_xScale));
  if (std::isnan(d))
    return -1;
  return static_cast<long long>(std::clamp(d, -1e15, 1e15));
}

long long SampleAtX(const CGraphState &s, int x) {
  return ColumnToSample(s, x - kPlotLeft);
}

bool InsidePlot(const CGraphState &s, GraphPoint p) {
  return p.x > kPlotLeft && p.x < kPlotLeft + s.m_plotWidth && p.y > kPlotTop &&
         p.y < kPlotTop + s.m_plotHeight;
}

long long TickSample(const CGraphState &s, int i) {
  int px = TruncToInt(i * s.m_plotWidth / 5.0);
  double d = s.m_xOffset - s.m_xMin + px * s.m_xScale + 0.5;
  return static_cast<long long>(std::clamp(d, -1e15, 1e15));
}

void GrowXRange(CGraphState &s, std::size_t nCount, const std::function<void()> &notify) {
  if (nCount == 0 || !HasPlot(s))
    return;
  const double dLast = static_cast<double>(nCount - 1);
  if (s.m_zoomed == 0.0) {
    const double w = s.m_plotWidth;
    while (dLast > s.m_xSpan) {
      s.m_xScale = (w * s.m_xScale / 15 + w * s.m_xScale) / w;
      s.m_xSpan = w * s.m_xScale;
      notify();
    }
  } else if (dLast - s.m_xOffset >= s.m_plotWidth * s.m_xScale && s.m_live && !s.m_dragging) {
    s.m_xOffset += 1.0;
    s.m_xSpan = dLast;
    notify();
  }
}

SampleRange VisibleRange(const CGraphState &s, std::size_t nCount) {
  const double dLast = s.m_plotWidth * s.m_xScale + s.m_xOffset + 2.0;
  const double dCount = static_cast<double>(nCount);
  SampleRange r;
  r.last = dLast <= 0 ? 0 : dLast >= dCount ? nCount : static_cast<std::size_t>(dLast);
  r.first = s.m_xOffset <= 0 ? 0 : s.m_xOffset >= dCount ? nCount : static_cast<std::size_t>(s.m_xOffset);
  return r;
}

bool ShowMarkers(const CGraphState &s) {
  return 2.0 / s.m_xScale > 6.0;
}

int GridColumnX(const CGraphState &s, int k) {
  return TruncToInt(s.m_plotWidth * k / 20.0 + 45.0);
}

int GridRowY(const CGraphState &s, int k) {
  return s.m_plotHeight + kPlotTop - (k * s.m_plotHeight) / 10;
}

double GridLevel(const CGraphState &s, int k) {
  return (k * s.m_plotHeight / 10.0) * s.m_yScale + s.m_yOffset;
}

int LevelTickY(const CGraphState &s, int k) {
  return TruncToInt(s.m_plotHeight * k / 10.0 + 10.0);
}

int TimeTickX(const CGraphState &s, int i) {
  return kPlotLeft + (i * s.m_plotWidth) / 5;
}

std::pair<int, int> ScaleParams(const CGraphState &s) {
  // The scale travels as an unsigned number: keep its bit pattern.
  double dScale = std::trunc(s.m_yScale * 10000);
  unsigned int uScale = dScale <= 0              ? 0u
                        : dScale >= 4294967295.0 ? 4294967295u
                                                 : static_cast<unsigned int>(dScale);
  return {static_cast<int>(uScale), TruncToInt(s.m_yOffset * 10000)};
}

int VisibleLevels(const CGraphState &s) {
  return TruncToInt(s.m_plotHeight * s.m_yScale);
}

int VisibleSamples(const CGraphState &s) {
  return TruncToInt(s.m_plotWidth * s.m_xScale);
}

ScrollSetting LevelScroll(const CGraphState &s) {
  const int v = VisibleLevels(s);
  return {TruncToInt(s.m_yTop - v), TruncToInt(s.m_yTop - v - s.m_yOffset)};
}

ScrollSetting SampleScroll(const CGraphState &s) {
  return {TruncToInt(s.m_xSpan - VisibleSamples(s)), TruncToInt(s.m_xOffset)};
}
