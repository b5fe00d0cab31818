#include "graph/CurveCut.h"
#include "graph/CurvePoints.h"

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {
constexpr int kW = 400, kH = 300;
// the plot inside the image, as the graph lays it out
constexpr int kLeft = 45, kTop = 10, kRight = kW - 45, kBottom = kH - 20;

QPen CurvePen() {
  QPen pen(QColor(0, 0, 255), 1);
  pen.setCosmetic(true);
  pen.setCapStyle(Qt::FlatCap);
  return pen;
}

QImage Blank() {
  QImage image(kW, kH, QImage::Format_RGB32);
  image.fill(QColor(0, 100, 100));
  return image;
}

void Polyline(QPainter &p, const std::vector<GraphPoint> &pts, std::size_t a, std::size_t b) {
  QPolygon poly;
  for (std::size_t k = a; k < b; ++k)
    poly << QPoint(pts[k].x, pts[k].y);
  p.drawPolyline(poly);
}

QImage Whole(const std::vector<GraphPoint> &pts) {
  QImage image = Blank();
  QPainter p(&image);
  p.setPen(CurvePen());
  Polyline(p, pts, 0, pts.size());
  return image;
}

QImage Cut(const std::vector<GraphPoint> &pts, std::size_t *pnFills = nullptr) {
  CurveCut cut;
  CutCurve(pts, kLeft, kTop, kRight, kBottom, cut);
  QImage image = Blank();
  {
    QPainter p(&image);
    p.setPen(CurvePen());
    std::size_t a = 0;
    for (std::size_t b : cut.pieceEnds) {
      Polyline(p, cut.points, a, b);
      a = b;
    }
  }
  for (const CurveCut::Fill &f : cut.fills)
    for (int y = f.yTop; y <= f.yBottom; ++y)
      image.setPixel(f.x, y, QColor(0, 0, 255).rgb());
  if (pnFills)
    *pnFills = cut.fills.size();
  return image;
}

// Random levels, nPerColumn samples to a column, reduced as the graph does.
std::vector<GraphPoint> Curve(std::mt19937 &rng, int nPerColumn, int yLo, int yHi, int x0 = kLeft) {
  std::uniform_int_distribution<int> y(yLo, yHi);
  CCurvePoints c;
  for (int i = 0; i < 300 * nPerColumn; ++i)
    c.Add({x0 + i / nPerColumn, y(rng)});
  return c.Finish();
}
} // namespace

TEST(CurveCut, PaintsTheSamePixelsAsTheWholePolyline) {
  std::mt19937 rng(11);
  for (int nPerColumn : {2, 5, 40, 400}) {
    // well inside the plot, over its edges, and far outside it
    for (auto [lo, hi] :
         {std::pair{20, 270}, std::pair{0, kH + 5}, std::pair{-50, 120}, std::pair{100, 110}}) {
      const std::vector<GraphPoint> pts = Curve(rng, nPerColumn, lo, hi);
      std::size_t nFills = 0;
      EXPECT_TRUE(Cut(pts, &nFills) == Whole(pts)) << nPerColumn << " per column, rows " << lo << ".." << hi;
      if (nPerColumn >= 40 && lo == 20) {
        EXPECT_GT(nFills, 200u); // the long columns were cut
      }
    }
  }
}

TEST(CurveCut, LeavesClosedAndSelfMeetingPiecesWhole) {
  // ends where it began: the stroker joins the ends of a closed polyline
  const std::vector<GraphPoint> closed{{100, 50}, {100, 200}, {101, 60}, {100, 50}};
  EXPECT_TRUE(Cut(closed) == Whole(closed));
  CurveCut cut;
  CutCurve(closed, kLeft, kTop, kRight, kBottom, cut);
  EXPECT_TRUE(cut.fills.empty());
  // up, down and up again in one column: pieces that would end where they began stay whole
  const std::vector<GraphPoint> zigzag{{100, 200}, {100, 50}, {100, 250}, {100, 54}, {101, 120}};
  EXPECT_TRUE(Cut(zigzag) == Whole(zigzag));
  const std::vector<GraphPoint> back{{100, 150}, {100, 50}, {100, 250}, {100, 54}};
  EXPECT_TRUE(Cut(back) == Whole(back));
  // a single long segment, and segments one row short of being cut
  for (const std::vector<GraphPoint> &pts :
       {std::vector<GraphPoint>{{200, 20}, {200, 260}}, std::vector<GraphPoint>{{200, 260}, {200, 20}},
        std::vector<GraphPoint>{{200, 100}, {200, 100 + kCutMinLength - 1}, {201, 100}}})
    EXPECT_TRUE(Cut(pts) == Whole(pts));
}
