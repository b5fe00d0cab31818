#include "GraphTestWindow.h"

#include "graph/GraphMath.h"

#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace GraphIds;

namespace {
// Sample i of the 200-pixel plot lies at x = 45 + 10 i.
QPoint AtSample(int i, int y = 100) {
  return QPoint(45 + 10 * i, y);
}

class GraphHostTest : public ::testing::Test {
protected:
  CTempConfigHome m_config;
  CScriptedPrompts m_prompts;
  CGraphTestWindow m_win{m_prompts};
  CGraphicsBtn &g = m_win.Graph();
  CSampleStore &store = m_win.m_store;

  void SetUp() override {
    for (int i = 0; i < 20; ++i)
      Add(i, 40.0);
    g.DrawGraph(store);
  }
  void Add(int i, double d) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "01-03-2024,10:00:%.2d", i);
    store.Emplace(d, buf, "dBA", 0, 1.0);
  }
  // Levels of samples 3..6 replaced: rebuild the store.
  void SetLevels(int nFirst, std::initializer_list<double> levels) {
    std::vector<double> v(20, 40.0);
    int i = nFirst;
    for (double d : levels)
      v[i++] = d;
    store.RemoveAll();
    for (int k = 0; k < 20; ++k)
      Add(k, v[k]);
    g.DrawGraph(store);
  }
  void PlaceCursors(int a, int b) {
    QTest::mouseDClick(&g, Qt::LeftButton, {}, AtSample(a));
    QTest::mouseClick(&g, Qt::LeftButton, {}, AtSample(a));
    QTest::mouseClick(&g, Qt::LeftButton, {}, AtSample(b));
  }
  QString T(int id) const { return m_win.Text(id); }
  QScrollBar *Bar(int id) { return DlgItem<QScrollBar>(&m_win.m_window, id); }
};
} // namespace

TEST_F(GraphHostTest, CursorStatisticsTiesKeepTheEarliest) {
  SetLevels(3, {60.0, 70.5, 70.5, 55.0});
  PlaceCursors(3, 6);
  EXPECT_EQ(g.m_cursorA, 3);
  EXPECT_EQ(g.m_cursorB, 6);
  EXPECT_EQ(T(kLevelA), "60.0");
  EXPECT_EQ(T(kTimeA), "01-03-2024,10:00:03");
  EXPECT_EQ(T(kLevelB), "55.0");
  EXPECT_EQ(T(kTimeB), "01-03-2024,10:00:06");
  EXPECT_EQ(T(kMax), "70.5");
  EXPECT_EQ(T(kMaxTime), "01-03-2024,10:00:04");
  EXPECT_EQ(T(kMin), "55.0");
  EXPECT_EQ(T(kMinTime), "01-03-2024,10:00:06");
  EXPECT_EQ(T(kAverage), "64.0");
  EXPECT_EQ(T(kCount), "4");
}

TEST_F(GraphHostTest, ClickLeftOfAIsIgnoredUntilARightClick) {
  QTest::mouseDClick(&g, Qt::LeftButton, {}, AtSample(10));
  QTest::mouseClick(&g, Qt::LeftButton, {}, AtSample(10));
  QTest::mouseClick(&g, Qt::LeftButton, {}, AtSample(4));
  EXPECT_EQ(g.m_cursorA, 10);
  EXPECT_EQ(g.m_cursorMode, kCursorPlaceB);
  EXPECT_EQ(T(kCount), "");
  QTest::mouseClick(&g, Qt::LeftButton, {}, AtSample(15));
  EXPECT_EQ(T(kCount), "6");
  EXPECT_EQ(T(kAverage), "40.0");
  // the right button clears the cursors and leaves the read-outs
  QTest::mouseClick(&g, Qt::RightButton, {}, AtSample(12));
  EXPECT_EQ(g.m_cursorA, -1);
  EXPECT_EQ(g.m_cursorB, -1);
  EXPECT_EQ(T(kCount), "6");
}

TEST_F(GraphHostTest, LevelsBelowZeroLeaveTheMaximumEmpty) {
  SetLevels(2, {-5, -3, -7});
  PlaceCursors(2, 4);
  EXPECT_EQ(T(kMax), "");
  EXPECT_EQ(T(kMaxTime), "");
  EXPECT_EQ(T(kMin), "-7.0");
  EXPECT_EQ(T(kAverage), "-5.0");
  SetLevels(2, {150, 151, 150});
  PlaceCursors(2, 4);
  EXPECT_EQ(T(kMin), "");
  EXPECT_EQ(T(kMinTime), "");
  EXPECT_EQ(T(kMax), "151.0");
}

TEST_F(GraphHostTest, HoverShowsTheSampleButNeverSampleZero) {
  QTest::mouseMove(&g, AtSample(7));
  EXPECT_EQ(T(kHoverLevel), "40.0");
  EXPECT_EQ(T(kHoverTime), "01-03-2024,10:00:07");
  QTest::mouseMove(&g, AtSample(0) + QPoint(2, 0));
  EXPECT_EQ(T(kHoverTime), "01-03-2024,10:00:07");
}

TEST_F(GraphHostTest, MovesWhilePlacingFollowTheMouse) {
  QTest::mouseDClick(&g, Qt::LeftButton, {}, AtSample(2));
  QTest::mouseMove(&g, AtSample(5));
  EXPECT_EQ(T(kTimeA), "01-03-2024,10:00:05");
  EXPECT_EQ(g.m_hoverPoint, (GraphPoint{95, 100}));
  EXPECT_EQ(g.Image().pixel(95, 50), qRgb(110, 30, 200)) << "hover line in cursor A's colour";
  QTest::mouseMove(&g, AtSample(7, 205)); // inside the plot, but within 10 pixels of its bottom
  EXPECT_EQ(g.m_hoverPoint, (GraphPoint{115, 205}));
  EXPECT_NE(g.Image().pixel(115, 50), qRgb(110, 30, 200)) << "no hover line there";
  EXPECT_NE(g.Image().pixel(95, 50), qRgb(110, 30, 200));
}

TEST_F(GraphHostTest, SmallDragDoesNotZoomAndReleaseRightOfPlotClamps) {
  QSignalSpy scale(&g, &CGraphicsBtn::graphScale);
  QTest::mousePress(&g, Qt::LeftButton, {}, QPoint(100, 50));
  QTest::mouseMove(&g, QPoint(106, 55));
  QTest::mouseRelease(&g, Qt::LeftButton, {}, QPoint(106, 55));
  EXPECT_EQ(g.m_zoomed, 0.0);
  EXPECT_EQ(scale.count(), 0);

  QTest::mousePress(&g, Qt::LeftButton, {}, QPoint(145, 50));
  QTest::mouseMove(&g, QPoint(200, 150));
  QTest::mouseRelease(&g, Qt::LeftButton, {}, QPoint(600, 150)); // outside the control
  EXPECT_EQ(g.m_zoomed, 1.0);
  EXPECT_EQ(scale.count(), 1);
  EXPECT_DOUBLE_EQ(g.m_xOffset, 10.0);
  EXPECT_DOUBLE_EQ(g.m_xScale, (250 - 145) * 0.1 / 200);
  // the host's scroll bars follow the zoom
  EXPECT_EQ(Bar(kHScroll)->maximum(), TruncToInt(g.m_xSpan - VisibleSamples(g)));
  EXPECT_EQ(Bar(kHScroll)->value(), 10);
  EXPECT_EQ(Bar(kVScroll)->maximum(), LevelScroll(g).nMax);
  EXPECT_EQ(Bar(kVScroll)->value(), LevelScroll(g).nPos);
  // "Anular Zoom"
  QTest::mouseClick(DlgItem<QPushButton>(&m_win.m_window, kResetZoom), Qt::LeftButton);
  EXPECT_EQ(g.m_zoomed, 0.0);
  EXPECT_EQ(g.m_xOffset, 0);
  EXPECT_DOUBLE_EQ(g.m_xScale, 0.1);
  EXPECT_EQ(Bar(kHScroll)->maximum(), 0);
}

TEST_F(GraphHostTest, ScaleNotificationSetsHiddenLevelLabels) {
  g.ResetScale();
  auto *label = DlgItem<QLabel>(&m_win.m_window, kLevelLabel0 + 10);
  ASSERT_TRUE(label);
  EXPECT_FALSE(label->isVisible());
  EXPECT_EQ(label->text(), QString::asprintf("%.2f", (230 - 15) * 0.65)); // scale 6500 / 10000
  EXPECT_EQ(T(kLevelLabel0), "0.00");
}

TEST_F(GraphHostTest, VerticalLineDownAtMaximumSnapsTheOffset) {
  // zoom the level axis to 20 dB, leaving a fractional offset
  g.m_zoomed = 1.0;
  g.m_yScale = 0.1;
  g.m_yOffset = 50.4;
  m_win.Host().UpdateFromGraph();
  QScrollBar *v = Bar(kVScroll);
  ASSERT_EQ(v->maximum(), 110);
  v->setValue(110);
  v->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(v->value(), 110);
  EXPECT_DOUBLE_EQ(g.m_yOffset, 0.0);
  v->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(v->value(), 109);
  EXPECT_DOUBLE_EQ(g.m_yOffset, 1.0);
  v->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(v->value(), 109) << "page steps change nothing";
  m_win.Host().OnVScroll(CGraphHost::ScrollCode::ThumbPosition, 30);
  EXPECT_EQ(v->value(), 30);
  EXPECT_DOUBLE_EQ(g.m_yOffset, 80.0);
}

TEST_F(GraphHostTest, HorizontalScrollMovesBySamples) {
  for (int i = 20; i < 60; ++i)
    Add(i, 40.0);
  g.DrawGraph(store); // grows to show all 60
  g.m_zoomed = 1.0;
  g.m_xScale = 0.05; // 10 samples visible
  m_win.Host().UpdateFromGraph();
  QScrollBar *h = Bar(kHScroll);
  EXPECT_EQ(h->maximum(), TruncToInt(g.m_xSpan) - 10);
  h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(h->value(), 1);
  EXPECT_DOUBLE_EQ(g.m_xOffset, 1.0);
  h->triggerAction(QAbstractSlider::SliderSingleStepSub);
  h->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(h->value(), 0);
  EXPECT_DOUBLE_EQ(g.m_xOffset, 0.0);
  m_win.Host().OnHScroll(CGraphHost::ScrollCode::ThumbPosition, 25);
  EXPECT_DOUBLE_EQ(g.m_xOffset, 25.0);
  EXPECT_EQ(SampleAtX(g, 46), 25);
}
