#include "graph/GraphRepaint.h"
#include "graph/GraphMath.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
// A control of 290 x 230 pixels: its plot covers x 45..244 and y 10..209.
struct Drawing {
  CGraphState s;
  TimeAxisLabels labels{{"10:00:00", "10:00:04"}};
  Drawing() { SetDefaultView(s, 290, 230); }
  GraphView View() const { return ViewOf(s, 290, 230, labels); }
};
} // namespace

TEST(GraphRepaint, AnythingButTheCurveRepaintsTheWholeControl) {
  const GraphRect whole{0, 0, 290, 230};
  const std::pair<const char *, std::function<void(Drawing &)>> changes[] = {
      {"rescaled", [](Drawing &d) { d.s.m_xScale *= 16.0 / 15.0; }},
      {"level scale", [](Drawing &d) { d.s.m_yScale = 0.5; }},
      {"scrolled", [](Drawing &d) { d.s.m_xOffset = 1; }},
      {"level offset", [](Drawing &d) { d.s.m_yOffset = 20; }},
      {"resized", [](Drawing &d) { SetDefaultView(d.s, 300, 230); }},
      {"background", [](Drawing &d) { d.s.m_bkColor = 1; }},
      {"grid colour", [](Drawing &d) { d.s.m_gridColor = 2; }},
      {"line colour", [](Drawing &d) { d.s.m_lineColor = 3; }},
      {"cursor A", [](Drawing &d) { d.s.m_cursorA = 4; }},
      {"cursor B", [](Drawing &d) { d.s.m_cursorB = 5; }},
      {"placing a cursor", [](Drawing &d) { d.s.m_cursorMode = kCursorPlaceA; }},
      {"hover line",
       [](Drawing &d) {
         d.s.m_hoverPoint = {100, 50};
       }},
      {"zoom box", [](Drawing &d) { d.s.m_showBox = true; }},
      {"zoom box dragged",
       [](Drawing &d) {
         d.s.m_boxEnd = {80, 90};
       }},
      {"time label", [](Drawing &d) { d.labels.labels[1] = "10:00:05"; }},
      {"time label failed", [](Drawing &d) { d.labels.nFailedAt = 1; }},
  };
  for (const auto &[what, change] : changes) {
    Drawing d;
    const GraphView before = d.View();
    change(d);
    EXPECT_EQ(RepaintRect(&before, d.View(), {100, 101}), whole) << what;
  }
  // marks are the caller's part of the view
  Drawing d;
  const GraphView before = d.View();
  GraphView marked = d.View();
  marked.threshold = 85.0;
  EXPECT_EQ(RepaintRect(&before, marked, {}), whole);
  marked = d.View();
  marked.events.push_back({3, 7});
  EXPECT_EQ(RepaintRect(&before, marked, {}), whole);
  // nothing drawn before
  EXPECT_EQ(RepaintRect(nullptr, d.View(), {}), whole);
}

TEST(GraphRepaint, AnAppendedCurveRepaintsItsColumnsOfThePlot) {
  Drawing d;
  const GraphView view = d.View();
  const struct {
    GraphColumns curve;
    GraphRect expected;
  } cases[] = {
      {{100, 103}, {100, 10, 3, 200}},
      {{100, 100}, {}},                // the curve did not change
      {{0, 60}, {45, 10, 15, 200}},    // left of the plot is the margin's
      {{240, 400}, {240, 10, 5, 200}}, // so is the right
      {{300, 400}, {}},
      {{45, 245}, {45, 10, 200, 200}}, // a curve drawn whole: the plot
  };
  for (const auto &c : cases)
    EXPECT_EQ(RepaintRect(&view, view, c.curve), c.expected) << c.curve.xFrom << ".." << c.curve.xTo;
}

TEST(GraphRepaint, APlotLargerThanItsImageIsClippedToIt) {
  GraphView view = Drawing().View();
  view.nWidth = 150;
  view.nHeight = 100;
  EXPECT_EQ(RepaintRect(&view, view, {140, 200}), (GraphRect{140, 10, 10, 90}));
}
