#include "graph/CurvePoints.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace {
using Pixels = std::set<std::pair<int, int>>;

// Pixels of a polyline, each segment with both ends (Bresenham).
Pixels Rasterise(const std::vector<GraphPoint> &pts) {
  Pixels px;
  for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
    int x0 = pts[i].x, y0 = pts[i].y;
    const int x1 = pts[i + 1].x, y1 = pts[i + 1].y;
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
      px.insert({x0, y0});
      if (x0 == x1 && y0 == y1)
        break;
      const int e2 = 2 * err;
      if (e2 >= dy) {
        err += dy;
        x0 += sx;
      }
      if (e2 <= dx) {
        err += dx;
        y0 += sy;
      }
    }
  }
  return px;
}

std::vector<GraphPoint> Reduce(const std::vector<GraphPoint> &pts) {
  CCurvePoints c;
  for (GraphPoint p : pts)
    c.Add(p);
  return c.Finish();
}
} // namespace

TEST(CurvePoints, ManySamplesPerColumnPaintTheSamePixelsWithFewPoints) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> level(100, 400);
  for (int nPerColumn : {1, 2, 3, 40}) {
    std::vector<GraphPoint> pts;
    for (int i = 0; i < 4000; ++i)
      pts.push_back({45 + i / nPerColumn, level(rng)});
    const std::vector<GraphPoint> reduced = Reduce(pts);
    EXPECT_EQ(Rasterise(reduced), Rasterise(pts)) << nPerColumn << " per column";
    EXPECT_LE(reduced.size(), 4u * (4000 / nPerColumn + 1));
    EXPECT_EQ(reduced.front(), pts.front());
    EXPECT_EQ(reduced.back(), pts.back());
  }
}

TEST(CurvePoints, RunsKeepTheirEndsAndOneColumnCurves) {
  // a whole curve in one column, ending between its extremes
  std::vector<GraphPoint> pts{{50, 20}, {50, 5}, {50, 30}, {50, 12}};
  const std::vector<GraphPoint> r = Reduce(pts);
  EXPECT_EQ(r, (std::vector<GraphPoint>{{50, 20}, {50, 5}, {50, 30}, {50, 12}}));
  EXPECT_EQ(Rasterise(r), Rasterise(pts));
  // flat run: the duplicates go
  EXPECT_EQ(Reduce({{50, 7}, {50, 7}, {50, 7}, {51, 9}}), (std::vector<GraphPoint>{{50, 7}, {51, 9}}));
  CCurvePoints c;
  EXPECT_TRUE(c.Finish().empty());
}
