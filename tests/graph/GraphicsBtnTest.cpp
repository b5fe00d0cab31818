#include "GraphTestWindow.h"

#include "graph/ColorContrast.h"
#include "graph/GraphMath.h"
#include "graph/GraphPainter.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {
QRgb Rgb(GraphColor c) {
  return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

class GraphicsBtnTest : public ::testing::Test {
protected:
  CTempConfigHome m_config;
  CScriptedPrompts m_prompts;
  CGraphTestWindow m_win{m_prompts};
  CGraphicsBtn &g = m_win.Graph();
  CSampleStore &store = m_win.m_store;

  void Add(double dLevel, int nCount = 1) {
    for (int i = 0; i < nCount; ++i)
      store.Emplace(dLevel, "01-03-2024,10:00:00", "dBA", 0, 1.0);
  }
  QRgb At(int x, int y) const { return g.Image().pixel(x, y); }
  int CountInColumn(int x, int y0, int y1, QRgb c) const {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
      n += At(x, y) == c;
    return n;
  }
  int CountInRow(int y, int x0, int x1, QRgb c) const {
    int n = 0;
    for (int x = x0; x <= x1; ++x)
      n += At(x, y) == c;
    return n;
  }
};
} // namespace

TEST_F(GraphicsBtnTest, EmptyGraphShowsFrameGridAndAxis) {
  g.DrawGraph(store);
  ASSERT_EQ(g.Image().size(), QSize(290, 230));
  EXPECT_EQ(At(5, 100), Rgb(kFrameColor));
  EXPECT_EQ(At(100, 5), Rgb(kFrameColor));
  EXPECT_EQ(At(45, 100), Rgb(kLevelAxisColor)) << "the level axis covers the first grid column";
  const QRgb grid = Rgb(kDefaultGridColor);
  for (int k = 1; k <= 20; ++k) {
    const int x = GridColumnX(g, k);
    EXPECT_GE(CountInColumn(x, 11, 209, grid), 80) << "grid column " << k;
    if (k < 20) {
      EXPECT_LE(CountInColumn(x + 5, 11, 209, grid), 11) << "between columns only the rows cross";
    }
  }
  EXPECT_EQ(At(50, 15), Rgb(kDefaultBkColor));
  EXPECT_EQ(At(100, 210), qRgb(0, 0, 0)) << "time axis base line";
  EXPECT_EQ(At(TimeTickX(g, 2), 207), qRgb(0, 0, 0)) << "time tick";
}

TEST_F(GraphicsBtnTest, CurvePixelsLieAtMappedPoints) {
  Add(37, 5); // samples 0..4 at 37 dB
  Add(90, 5); // samples 5..9 at 90 dB
  g.DrawGraph(store);
  const QRgb line = Rgb(kDefaultLineColor);
  EXPECT_EQ(At(SampleToX(g, 1) + 5, LevelToY(g, 37)), line);
  EXPECT_EQ(At(SampleToX(g, 6) + 5, LevelToY(g, 90)), line);
  EXPECT_EQ(At(SampleToX(g, 6) + 5, LevelToY(g, 37)), Rgb(kDefaultBkColor));
  EXPECT_EQ(At(SampleToX(g, 9) + 5, LevelToY(g, 90)), Rgb(kDefaultBkColor)) << "no line past the last sample";
  // the rising segment from sample 4 to 5 crosses every row between the levels
  for (int y = LevelToY(g, 89); y <= LevelToY(g, 38); y += 6)
    EXPECT_GE(CountInRow(y, SampleToX(g, 4), SampleToX(g, 5), line), 1) << y;
}

TEST_F(GraphicsBtnTest, SingleSampleDrawsNoLine) {
  Add(37);
  g.DrawGraph(store);
  EXPECT_EQ(CountInRow(LevelToY(g, 37), 46, 60, Rgb(kDefaultLineColor)), 0);
}

TEST_F(GraphicsBtnTest, MarkersAtFourPixelsPerSampleNotAtTwo) {
  Add(37, 60);
  const QRgb line = Rgb(kDefaultLineColor);
  const int y = LevelToY(g, 37);
  g.m_zoomed = 1.0; // keep the scale as set
  g.m_xScale = 0.5;
  g.DrawGraph(store);
  EXPECT_EQ(At(SampleToX(g, 3), y), line);
  EXPECT_EQ(CountInRow(y - 2, 46, 150, line), 0);
  g.m_xScale = 0.25;
  g.DrawGraph(store);
  EXPECT_EQ(At(SampleToX(g, 3), y - 2), line) << "marker above sample 3";
  EXPECT_EQ(At(SampleToX(g, 3), y + 1), line) << "marker below sample 3";
  // each marker is the ellipse of a 3-pixel pen around its point
  QImage ref(g.Image().size(), QImage::Format_RGB32);
  ref.fill(Qt::white);
  {
    QPainter p(&ref);
    QPen pen(QColor(0, 0, 255), 3);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.drawEllipse(QRect(SampleToX(g, 21) - 1, y - 1, 2, 2));
  }
  for (int dy = -3; dy <= 3; ++dy)
    for (int dx = -3; dx <= 3; ++dx) {
      const int px = SampleToX(g, 21) + dx;
      if (ref.pixel(px, y + dy) == line) {
        EXPECT_EQ(At(px, y + dy), line) << dx << "," << dy;
      }
    }
}

TEST_F(GraphicsBtnTest, CursorLinesAtTheirSamplesAndHiddenOutsideTheView) {
  Add(37, 20);
  g.m_cursorA = 5;
  g.m_cursorB = 12;
  g.DrawGraph(store);
  EXPECT_GE(CountInColumn(CursorToX(g, 5), 11, 209, Rgb(kCursorAColor)), 80);
  EXPECT_GE(CountInColumn(CursorToX(g, 12), 11, 209, Rgb(kCursorBColor)), 80);
  // scrolled so cursor A lands in the left margin: the margin covers it
  g.m_xOffset = 5;
  g.DrawGraph(store);
  const int x = CursorToX(g, 2);
  ASSERT_LT(x, 45);
  ASSERT_GT(x, 0);
  g.m_cursorA = 2;
  g.DrawGraph(store);
  EXPECT_EQ(CountInColumn(x, 0, 229, Rgb(kCursorAColor)), 0);
  EXPECT_EQ(At(x, 100), Rgb(kFrameColor));
}

// Each cursor keeps its colour between two outline columns that stand out
// at least 3:1 from the plot background, on the default plot and on a dark
// one where the purple cursor A alone would hardly show.
TEST_F(GraphicsBtnTest, CursorLinesAreOutlinedAgainstAnyBackground) {
  Add(37, 20);
  g.m_cursorA = 5;
  g.m_cursorB = 12;
  for (GraphColor bk : {g.m_bkColor, MakeGraphColor(0, 80, 80), MakeGraphColor(255, 255, 255)}) {
    g.m_bkColor = bk;
    g.DrawGraph(store);
    const int nRow = 10 + g.m_plotHeight / 3;
    for (auto [nIndex, colour] : {std::pair{5, kCursorAColor}, std::pair{12, kCursorBColor}}) {
      // The 2-pixel line covers x-1 and x (the dotted grid may cross x), the outline x-2 and x+1.
      const int x = CursorToX(g, nIndex);
      EXPECT_EQ(At(x - 1, nRow), Rgb(colour)) << nIndex;
      for (int px : {x - 2, x + 1}) {
        const QRgb outline = At(px, nRow);
        EXPECT_GE(ContrastRatio(MakeGraphColor(qRed(outline), qGreen(outline), qBlue(outline)), bk), 3.0)
            << "bk " << bk << " cursor " << nIndex << " column " << px - x;
      }
    }
  }
}

TEST_F(GraphicsBtnTest, DraggingShowsTheZoomBox) {
  Add(37, 20);
  g.DrawGraph(store);
  QTest::mousePress(&g, Qt::LeftButton, {}, QPoint(100, 50));
  QTest::mouseMove(&g, QPoint(160, 120));
  EXPECT_TRUE(g.m_showBox);
  EXPECT_GE(CountInRow(50, 100, 160, qRgb(0, 0, 0)), 15) << "dotted top edge";
  EXPECT_GE(CountInColumn(159, 50, 119, qRgb(0, 0, 0)), 15) << "dotted right edge";
  EXPECT_EQ(CountInColumn(161, 50, 119, qRgb(0, 0, 0)), 0);
  QTest::mouseRelease(&g, Qt::LeftButton, {}, QPoint(160, 120));
  EXPECT_FALSE(g.m_showBox);
  EXPECT_EQ(g.m_zoomed, 1.0);
  EXPECT_LE(CountInRow(50, 100, 160, qRgb(0, 0, 0)), 2);
}

TEST_F(GraphicsBtnTest, TooSmallControlDrawsTheFrameOnly) {
  QSignalSpy scale(&g, &CGraphicsBtn::graphScale);
  Add(37, 30);
  g.resize(90, 200);
  g.DrawGraph(store);
  for (QPoint p : {QPoint(0, 0), QPoint(45, 100), QPoint(89, 199)})
    EXPECT_EQ(At(p.x(), p.y()), Rgb(kFrameColor));
  EXPECT_EQ(scale.count(), 0);
  g.resize(290, 30);
  g.DrawGraph(store);
  EXPECT_EQ(At(100, 15), Rgb(kFrameColor));
  EXPECT_EQ(scale.count(), 0);
  // mouse events find no plot to act on
  QTest::mouseDClick(&g, Qt::LeftButton, {}, QPoint(100, 15));
  EXPECT_EQ(g.m_cursorMode, kCursorIdle);
}

TEST_F(GraphicsBtnTest, FirstDrawAndEachGrowthStepSendTheScale) {
  CGraphicsBtn fresh(m_prompts, &m_win.m_window);
  QSignalSpy scale(&fresh, &CGraphicsBtn::graphScale);
  fresh.resize(290, 230);
  fresh.SetDefaultView();
  Add(50, 21);
  fresh.DrawGraph(store);
  EXPECT_EQ(scale.count(), 1) << "the first draw";
  fresh.DrawGraph(store);
  EXPECT_EQ(scale.count(), 1) << "later draws send nothing by themselves";
  Add(50);
  fresh.DrawGraph(store);
  EXPECT_EQ(scale.count(), 2);
  EXPECT_NEAR(fresh.m_xSpan, 21.3333, 1e-4);
  EXPECT_EQ(scale.last().at(0).toInt(), 6500);
}

TEST_F(GraphicsBtnTest, ResizeCancelsTheZoom) {
  Add(50, 40);
  g.DrawGraph(store);
  QTest::mousePress(&g, Qt::LeftButton, {}, QPoint(100, 50));
  QTest::mouseMove(&g, QPoint(160, 120));
  QTest::mouseRelease(&g, Qt::LeftButton, {}, QPoint(160, 120));
  ASSERT_EQ(g.m_zoomed, 1.0);
  const double dSpan = g.m_xSpan;
  g.resize(390, 230);
  EXPECT_EQ(g.m_zoomed, 0.0);
  EXPECT_EQ(g.m_plotWidth, 300);
  EXPECT_DOUBLE_EQ(g.m_xScale, dSpan / 300);
  EXPECT_EQ(g.m_xOffset, 0);
}

TEST_F(GraphicsBtnTest, TimeFormatMessageOncePerArray) {
  store.Emplace(50.0, "no time", "dBA", 0, 1.0);
  g.DrawGraph(store);
  g.DrawGraph(store);
  QTest::mouseMove(&g, QPoint(120, 100));
  ASSERT_EQ(m_prompts.Messages().size(), 1u);
  EXPECT_EQ(m_prompts.Messages()[0], "Time Format is wrong!");
  EXPECT_EQ(m_prompts.m_asked[0].caption, "Vomo");
  // the rest is drawn: grid, and the first tick but not the second
  EXPECT_GE(CountInColumn(GridColumnX(g, 3), 11, 209, Rgb(kDefaultGridColor)), 80);
  EXPECT_EQ(At(TimeTickX(g, 1), 207), qRgb(0, 0, 0));
  EXPECT_NE(At(TimeTickX(g, 2), 207), qRgb(0, 0, 0));
  store.Emplace(51.0, "no time either", "dBA", 0, 1.0);
  g.DrawGraph(store);
  EXPECT_EQ(m_prompts.Messages().size(), 2u) << "a changed array is checked again";
}
