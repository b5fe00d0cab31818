#include "graph/GraphMouse.h"
#include "graph/GraphMath.h"

#include <gtest/gtest.h>

namespace {
// 200 x 200 plot, 10 pixels per sample: sample i lies at x = 45 + 10 i.
CGraphState State() {
  CGraphState s;
  SetDefaultView(s, 290, 230);
  return s;
}
int XOf(int idx) {
  return 45 + 10 * idx;
}
GraphEvent CursorEv(ECursor which, int nIndex) {
  return {GraphEvent::Cursor, which, nIndex};
}
GraphEvent HoverEv(int nIndex) {
  return {GraphEvent::Hover, ECursor::A, nIndex};
}
const GraphEvent kRedraw{GraphEvent::Redraw};
} // namespace

TEST(GraphMouse, CursorsAThenStrictlyRightB) {
  CGraphState s = State();
  s.m_cursorA = 3;
  EXPECT_TRUE(OnLButtonDblClk(s, {XOf(5), 100}).empty());
  EXPECT_EQ(s.m_cursorMode, kCursorPlaceA);
  EXPECT_EQ(s.m_cursorA, -1);

  EXPECT_EQ(OnLButtonDown(s, {XOf(10), 100}, 20), GraphEvents{CursorEv(ECursor::A, 10)});
  OnLButtonUp(s, {XOf(10), 100});
  EXPECT_EQ(s.m_cursorMode, kCursorPlaceB);
  EXPECT_TRUE(OnLButtonDown(s, {XOf(4), 100}, 20).empty());
  OnLButtonUp(s, {XOf(4), 100});
  EXPECT_TRUE(OnLButtonDown(s, {XOf(10), 100}, 20).empty()) << "B on A is refused";
  OnLButtonUp(s, {XOf(10), 100});
  EXPECT_EQ(s.m_cursorA, 10);
  EXPECT_EQ(s.m_cursorMode, kCursorPlaceB);
  EXPECT_EQ(OnLButtonDown(s, {XOf(15), 100}, 20), GraphEvents{CursorEv(ECursor::B, 15)});
  EXPECT_EQ(s.m_cursorB, 15);
  EXPECT_EQ(s.m_cursorMode, kCursorIdle);
}

TEST(GraphMouse, CursorClickPastTheDataIsIgnored) {
  CGraphState s = State();
  OnLButtonDblClk(s, {XOf(5), 100});
  EXPECT_TRUE(OnLButtonDown(s, {XOf(8), 100}, 8).empty());
  EXPECT_EQ(s.m_cursorMode, kCursorPlaceA);
  OnLButtonUp(s, {XOf(8), 100});
  EXPECT_TRUE(OnLButtonDown(s, {30, 100}, 8).empty()) << "outside the plot";
  EXPECT_FALSE(s.m_dragging);
}

TEST(GraphMouse, MovesWhilePlacingReportCursorAndHover) {
  CGraphState s = State();
  OnLButtonDblClk(s, {XOf(5), 100});
  EXPECT_EQ(OnMouseMove(s, {XOf(6), 100}, 20), (GraphEvents{kRedraw, CursorEv(ECursor::A, 6), HoverEv(6)}));
  EXPECT_EQ(s.m_hoverPoint, (GraphPoint{XOf(6), 100}));
  OnLButtonDown(s, {XOf(6), 100}, 20);
  OnLButtonUp(s, {XOf(6), 100});
  EXPECT_EQ(OnMouseMove(s, {XOf(3), 100}, 20), (GraphEvents{kRedraw, HoverEv(3)})) << "left of A";
  EXPECT_EQ(OnMouseMove(s, {XOf(9), 100}, 20), (GraphEvents{kRedraw, CursorEv(ECursor::B, 9), HoverEv(9)}));
}

TEST(GraphMouse, HoverNeverReportsSampleZeroOrPastTheData) {
  CGraphState s = State();
  EXPECT_TRUE(OnMouseMove(s, {XOf(0) + 2, 100}, 20).empty());
  EXPECT_EQ(OnMouseMove(s, {XOf(1), 100}, 20), GraphEvents{HoverEv(1)});
  EXPECT_TRUE(OnMouseMove(s, {XOf(12), 100}, 12).empty());
  EXPECT_TRUE(OnMouseMove(s, {XOf(1), 5}, 20).empty()) << "above the plot";
}

TEST(GraphMouse, DragShowsBoxOnlyInsideThePlot) {
  CGraphState s = State();
  OnLButtonDown(s, {100, 50}, 20);
  EXPECT_EQ(OnMouseMove(s, {150, 90}, 20).front(), kRedraw);
  EXPECT_TRUE(s.m_showBox);
  EXPECT_EQ(s.m_boxEnd, (GraphPoint{150, 90}));
  OnMouseMove(s, {400, 400}, 20);
  EXPECT_EQ(s.m_boxEnd, (GraphPoint{150, 90})) << "moves outside leave the box";
}

TEST(GraphMouse, BoxMustBeWiderAndHigherThanFivePixels) {
  CGraphState s = State();
  OnLButtonDown(s, {100, 50}, 20);
  EXPECT_EQ(OnLButtonUp(s, {106, 55}), GraphEvents{kRedraw});
  EXPECT_EQ(s.m_zoomed, 0.0);
  EXPECT_FALSE(s.m_dragging);
  EXPECT_EQ(s.m_boxStart, GraphPoint{});

  OnLButtonDown(s, {100, 50}, 20);
  EXPECT_EQ(OnLButtonUp(s, {106, 56}), (GraphEvents{{GraphEvent::Scale}, kRedraw}));
  EXPECT_EQ(s.m_zoomed, 1.0);
  EXPECT_DOUBLE_EQ(s.m_xOffset, 5.5); // (100 - 45) x 0.1
  EXPECT_DOUBLE_EQ(s.m_xScale, 6 * 0.1 / 200);
  EXPECT_DOUBLE_EQ(s.m_yOffset, (200 - 56 + 10) * 0.65);
  EXPECT_DOUBLE_EQ(s.m_yScale, 6 * 0.65 / 200);
  EXPECT_DOUBLE_EQ(s.m_xSpan, 20) << "ranges stay";
}

TEST(GraphMouse, ReleaseOutsideIsClampedFivePixelsPastTheRightEdge) {
  CGraphState s = State();
  OnLButtonDown(s, {145, 100}, 20);
  OnLButtonUp(s, {900, -40}); // far right and above the control
  EXPECT_DOUBLE_EQ(s.m_xOffset, 10.0);
  EXPECT_DOUBLE_EQ(s.m_xScale, (250 - 145) * 0.1 / 200);
  EXPECT_DOUBLE_EQ(s.m_yOffset, (200 - 100 + 10) * 0.65);
  EXPECT_DOUBLE_EQ(s.m_yScale, (100 - 10) * 0.65 / 200);
  // dragged leftwards out of the plot: the left edge is the plot's
  OnLButtonDown(s, {145, 100}, 20);
  const double dOffset = s.m_xOffset, dScale = s.m_xScale;
  OnLButtonUp(s, {0, 300});
  EXPECT_DOUBLE_EQ(s.m_xOffset, dOffset);
  EXPECT_DOUBLE_EQ(s.m_xScale, 100 * dScale / 200);
}

TEST(GraphMouse, ZoomStopsAtTheFloorPerAxis) {
  CGraphState s = State();
  s.m_xScale = 0.005; // at the floor: only the level axis zooms
  OnLButtonDown(s, {100, 50}, 20);
  OnLButtonUp(s, {150, 150});
  EXPECT_DOUBLE_EQ(s.m_xScale, 0.005);
  EXPECT_DOUBLE_EQ(s.m_xOffset, 0);
  EXPECT_DOUBLE_EQ(s.m_yScale, 100 * 0.65 / 200);
  EXPECT_EQ(s.m_zoomed, 1.0);
}

TEST(GraphMouse, NoZoomWhilePlacingCursorsAndRightButtonClears) {
  CGraphState s = State();
  OnLButtonDblClk(s, {100, 100});
  OnLButtonDown(s, {100, 50}, 3); // past the data: mode stays 2
  OnMouseMove(s, {150, 150}, 3);
  EXPECT_FALSE(s.m_showBox);
  EXPECT_EQ(OnLButtonUp(s, {150, 150}), GraphEvents{kRedraw});
  EXPECT_EQ(s.m_zoomed, 0.0);
  s.m_cursorA = 1;
  s.m_cursorB = 2;
  EXPECT_EQ(OnRButtonUp(s), GraphEvents{kRedraw});
  EXPECT_EQ(s.m_cursorMode, kCursorIdle);
  EXPECT_EQ(s.m_cursorA, -1);
  EXPECT_EQ(s.m_cursorB, -1);
  EXPECT_EQ(s.m_hoverPoint, GraphPoint{});
}
