#include "graph/GraphMath.h"

#include <gtest/gtest.h>

namespace {
// A control of 290 x 230 pixels: a 200 x 200 plot, 0.1 samples and 0.65 dB per pixel.
CGraphState DefaultState(int w = 290, int h = 230) {
  CGraphState s;
  SetDefaultView(s, w, h);
  return s;
}
} // namespace

TEST(GraphMath, DefaultViewAndMapping) {
  CGraphState s = DefaultState();
  EXPECT_EQ(s.m_plotWidth, 200);
  EXPECT_EQ(s.m_plotHeight, 200);
  EXPECT_DOUBLE_EQ(s.m_xScale, 0.1);
  EXPECT_DOUBLE_EQ(s.m_yScale, 0.65);
  EXPECT_EQ(SampleToX(s, 0), 45);
  EXPECT_EQ(SampleToX(s, 20), 245);
  EXPECT_EQ(LevelToY(s, 0), 210);  // bottom edge
  EXPECT_EQ(LevelToY(s, 130), 10); // top edge
  EXPECT_EQ(LevelToY(s, 65, 100), 210);
  // nearest sample under a column, 10 pixels per sample
  EXPECT_EQ(ColumnToSample(s, 4), 0);
  EXPECT_EQ(ColumnToSample(s, 6), 1);
  EXPECT_EQ(SampleAtX(s, 45 + 96), 10);
  s.m_xOffset = 3.5; // scrolled: the left edge shows sample 3.5
  EXPECT_EQ(SampleToX(s, 4), 50);
  EXPECT_EQ(ColumnToSample(s, 0), 4);
}

TEST(GraphMath, InsidePlotIsStrict) {
  CGraphState s = DefaultState();
  EXPECT_FALSE(InsidePlot(s, {45, 100}));
  EXPECT_TRUE(InsidePlot(s, {46, 11}));
  EXPECT_TRUE(InsidePlot(s, {244, 209}));
  EXPECT_FALSE(InsidePlot(s, {245, 100}));
  EXPECT_FALSE(InsidePlot(s, {100, 210}));
}

TEST(GraphMath, ResetScaleKeepsSpanAndClearsZoom) {
  CGraphState s = DefaultState();
  s.m_xSpan = 40;
  s.m_xScale = 0.01;
  s.m_yScale = 0.1;
  s.m_xOffset = 7;
  s.m_yOffset = 33.3;
  s.m_zoomed = 1.0;
  ResetScale(s, 490, 230);
  EXPECT_EQ(s.m_plotWidth, 400);
  EXPECT_DOUBLE_EQ(s.m_xSpan, 40);
  EXPECT_DOUBLE_EQ(s.m_xScale, 0.1);
  EXPECT_DOUBLE_EQ(s.m_yScale, 0.65);
  EXPECT_EQ(s.m_xOffset, 0);
  EXPECT_EQ(s.m_yOffset, 0);
  EXPECT_EQ(s.m_zoomed, 0.0);
  SetDefaultView(s, 490, 230);
  EXPECT_DOUBLE_EQ(s.m_xSpan, 20);
}

TEST(GraphMath, TooSmallControlHasNoPlot) {
  CGraphState s = DefaultState(90, 230);
  EXPECT_EQ(s.m_plotWidth, 0);
  EXPECT_FALSE(HasPlot(s));
  CGraphState t = DefaultState(300, 25);
  EXPECT_EQ(t.m_plotHeight, -5);
  EXPECT_FALSE(HasPlot(t));
  int n = 0;
  GrowXRange(t, 1000, [&] { ++n; });
  EXPECT_EQ(n, 0);
  EXPECT_DOUBLE_EQ(t.m_xSpan, 20);
}

TEST(GraphMath, GrowthWidensByOneFifteenth) {
  CGraphState s = DefaultState(1090, 630); // a 1000-pixel plot
  int n = 0;
  GrowXRange(s, 21, [&] { ++n; });
  EXPECT_EQ(n, 0);
  EXPECT_DOUBLE_EQ(s.m_xSpan, 20);
  GrowXRange(s, 22, [&] { ++n; });
  EXPECT_EQ(n, 1);
  EXPECT_NEAR(s.m_xSpan, 21.333333, 1e-6);
  EXPECT_NEAR(s.m_xScale * 1000, 21.333333, 1e-6);
  // every sample fits after growth, and each step is reported
  GrowXRange(s, 1000, [&] { ++n; });
  EXPECT_GE(s.m_xSpan, 999);
  EXPECT_LT(s.m_xSpan / (16.0 / 15.0), 999);
  EXPECT_GT(n, 30);
}

TEST(GraphMath, ZoomedLiveGraphFollowsOneSampleAtATime) {
  CGraphState s = DefaultState(); // shows 20 samples
  s.m_zoomed = 1.0;
  int n = 0;
  GrowXRange(s, 40, [&] { ++n; });
  EXPECT_EQ(n, 0) << "not live: no follow";
  s.m_live = true;
  s.m_dragging = true;
  GrowXRange(s, 40, [&] { ++n; });
  EXPECT_EQ(n, 0) << "no follow while dragging a zoom box";
  s.m_dragging = false;
  GrowXRange(s, 20, [&] { ++n; });
  EXPECT_EQ(n, 0) << "newest sample 19 still left of the right edge";
  GrowXRange(s, 21, [&] { ++n; });
  EXPECT_EQ(n, 1);
  EXPECT_DOUBLE_EQ(s.m_xOffset, 1.0);
  EXPECT_DOUBLE_EQ(s.m_xSpan, 20.0);
  GrowXRange(s, 40, [&] { ++n; });
  EXPECT_EQ(n, 2) << "one step per redraw";
  EXPECT_DOUBLE_EQ(s.m_xOffset, 2.0);
}

TEST(GraphMath, VisibleRangeDoesNotDependOnStoreSize) {
  CGraphState s = DefaultState();
  auto r = VisibleRange(s, 5);
  EXPECT_EQ(r.first, 0u);
  EXPECT_EQ(r.last, 5u);
  s.m_xOffset = 500000.7;
  r = VisibleRange(s, 1000000);
  EXPECT_EQ(r.first, 500000u);
  EXPECT_EQ(r.last, 500022u); // 20 visible + 2 past the edge
  r = VisibleRange(s, 100);
  EXPECT_EQ(r.first, 100u);
  EXPECT_EQ(r.last, 100u);
}

TEST(GraphMath, MarkersOnlyAboveThreePixelsPerSample) {
  CGraphState s = DefaultState();
  s.m_xScale = 0.5;
  EXPECT_FALSE(ShowMarkers(s));
  s.m_xScale = 1.0 / 3.0;
  EXPECT_FALSE(ShowMarkers(s));
  s.m_xScale = 0.25;
  EXPECT_TRUE(ShowMarkers(s));
}

TEST(GraphMath, GridAndTickPositions) {
  CGraphState s = DefaultState(297, 237); // plot 207 x 207
  EXPECT_EQ(GridColumnX(s, 0), 45);
  EXPECT_EQ(GridColumnX(s, 1), 55); // 10.35 + 45
  EXPECT_EQ(GridColumnX(s, 20), 252);
  EXPECT_EQ(GridRowY(s, 0), 217);
  EXPECT_EQ(GridRowY(s, 1), 197); // 217 - 20
  EXPECT_EQ(GridRowY(s, 10), 10);
  EXPECT_EQ(LevelTickY(s, 1), 30);
  EXPECT_EQ(TimeTickX(s, 1), 86);
  EXPECT_EQ(TimeTickX(s, 5), 252);
  s.m_yOffset = 10;
  EXPECT_NEAR(GridLevel(s, 10), 140, 1e-9);
}

TEST(GraphMath, ScaleParamsAndScrollBars) {
  CGraphState s = DefaultState();
  auto [scale, offset] = ScaleParams(s);
  EXPECT_EQ(scale, 6500);
  EXPECT_EQ(offset, 0);
  s.m_yScale = 0.1; // 20 dB visible
  s.m_yOffset = 50.25;
  s.m_xScale = 0.05; // 10 samples visible
  s.m_xSpan = 40;
  s.m_xOffset = 12.9;
  EXPECT_EQ(ScaleParams(s).second, 502500);
  EXPECT_EQ(LevelScroll(s).nMax, 110);
  EXPECT_EQ(LevelScroll(s).nPos, 59); // trunc(130 - 20 - 50.25)
  EXPECT_EQ(SampleScroll(s).nMax, 30);
  EXPECT_EQ(SampleScroll(s).nPos, 12);
}
