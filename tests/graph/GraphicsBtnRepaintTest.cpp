#include "GraphTestWindow.h"

#include "graph/GraphMath.h"

#include <QPaintEvent>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {
// The areas the graph is asked to repaint.
class CPaintRects : public QObject {
public:
  std::vector<QRect> m_rects;

protected:
  bool eventFilter(QObject *, QEvent *e) override {
    if (e->type() == QEvent::Paint)
      m_rects.push_back(static_cast<QPaintEvent *>(e)->rect());
    return false;
  }
};

// What the screen shows of the graph: the window's backing store, where
// only the repainted areas were renewed.
QImage OnScreen(const QWidget &window, const QWidget &graph) {
  return window.screen()
      ->grabWindow(window.winId(), graph.x(), graph.y(), graph.width(), graph.height())
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

// The same state and samples drawn whole by a graph that never drew before.
QImage DrawnWhole(CPrompts &prompts, const CGraphicsBtn &g, const CSampleStore &store) {
  CGraphicsBtn whole(prompts);
  whole.resize(g.size()); // hidden: no resize event resets the copied state
  static_cast<CGraphState &>(whole) = g;
  whole.m_live = false; // a zoomed run's view would move on by a sample as it draws
  whole.SetMarks(g.Marks());
  whole.DrawGraph(store);
  return whole.Image().convertToFormat(QImage::Format_RGB32);
}

// Empty when the images are equal, else how many pixels differ and where the first does.
std::string Difference(const QImage &a, const QImage &b) {
  if (a.size() != b.size())
    return "sizes differ";
  int n = 0;
  QPoint first;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y) && n++ == 0)
        first = {x, y};
  return n ? std::to_string(n) + " pixels differ, the first at (" + std::to_string(first.x()) + ", " +
                 std::to_string(first.y()) + ")"
           : std::string();
}

struct Case {
  const char *what;
  std::function<void(CGraphicsBtn &)> set;
};

// A run appends samples one at a time, now and then a few; each draw
// repaints only what changed, under cursors, marks, a box zoom that follows
// the run, a zoom box being drawn and a hover line. After each draw the
// screen shows what a whole drawing of the same state shows, pixel for pixel.
TEST(GraphicsBtnRepaint, APartlyRepaintedGraphShowsWhatAWholeDrawingShows) {
  const Case cases[] = {
      {"plain", [](CGraphicsBtn &) {}},
      {"cursors",
       [](CGraphicsBtn &g) {
         g.m_cursorA = 3;
         g.m_cursorB = 250;
       }},
      {"marks",
       [](CGraphicsBtn &g) {
         g.SetMarks({75.0, {{2, 9}, {90, 400}}});
       }},
      {"zoomed, following the run",
       [](CGraphicsBtn &g) {
         g.m_zoomed = 1.0;
         g.m_xScale = 0.7;
         g.m_yScale = 0.3;
         g.m_yOffset = 40;
       }},
      {"zoom box",
       [](CGraphicsBtn &g) {
         g.m_showBox = true;
         g.m_boxStart = {60, 30};
         g.m_boxEnd = {230, 170};
       }},
      {"hover line",
       [](CGraphicsBtn &g) {
         g.m_cursorMode = kCursorPlaceA;
         g.m_hoverPoint = {150, 100};
       }},
  };
  for (const Case &c : cases) {
    CTempConfigHome config;
    CScriptedPrompts prompts;
    CGraphTestWindow win(prompts);
    CGraphicsBtn &g = win.Graph();
    CSampleStore &store = win.m_store;
    g.m_live = true;
    std::mt19937 rng(7);
    auto add = [&] {
      const unsigned r = rng();
      const double dLevel = r % 50 == 0 ? 150.0 : 30.0 + static_cast<double>(r % 700) / 10.0;
      const int n = static_cast<int>(store.GetSize());
      const std::string strTime =
          QString::asprintf("09-12-2026,10:%02d:%02d", n / 60 % 60, n % 60).toStdString();
      store.Emplace(dLevel, strTime, "dBA", 0, 1.0);
    };
    for (int i = 0; i < 40; ++i)
      add();
    g.DrawGraph(store);
    c.set(g);
    g.DrawGraph(store);
    QCoreApplication::processEvents();
    CPaintRects rects;
    g.installEventFilter(&rects);
    // every draw is checked: a later whole repaint would hide a wrong partial one
    for (int nDraw = 0; nDraw < 300 && !::testing::Test::HasFailure(); ++nDraw) {
      const int nAdd = nDraw % 37 == 0 ? 5 : 1;
      for (int k = 0; k < nAdd; ++k)
        add();
      g.DrawGraph(store);
      QCoreApplication::processEvents();
      const QImage whole = DrawnWhole(prompts, g, store);
      const std::string where = std::string(c.what) + ", " + std::to_string(store.GetSize()) + " samples";
      EXPECT_EQ(Difference(g.Image().convertToFormat(QImage::Format_RGB32), whole), "") << where << ", image";
      EXPECT_EQ(Difference(OnScreen(win.m_window, g), whole), "") << where << ", screen";
    }
    g.removeEventFilter(&rects);
    EXPECT_TRUE(std::any_of(rects.m_rects.begin(), rects.m_rects.end(),
                            [&](const QRect &r) { return r.width() < 10; }))
        << c.what << ": no sample was repainted in part";
  }
}
} // namespace
