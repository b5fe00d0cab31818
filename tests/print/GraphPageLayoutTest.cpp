#include "print/GraphPageLayout.h"
#include "graph/GraphMath.h"
#include "print/PrintFormat.h"
#include "records/SampleArray.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// An 890 x 330 control: an 800 x 300 plot showing samples 0..20.
CGraphState Screen() {
  CGraphState s;
  SetDefaultView(s, 890, 330);
  return s;
}

void Fill(CSampleStore &store, int n, double level = 60.0) {
  for (int k = 0; k < n; ++k)
    store.Emplace(level + k, "07-12-2026,01:45:" + std::string(k < 10 ? "0" : "") + std::to_string(k), "dBA",
                  0, 1.0);
}

struct Page {
  GraphPageGeometry g;
  PageImage image;
};

Page Layout(const CGraphState &s, const CSampleStore &store, const StatData &stat = {}) {
  Page p;
  EXPECT_TRUE(MakeGraphPageGeometry(2480, 3508, 40, s, p.g));
  const TimeAxisLabels labels = ComputeTimeLabels(s, CSampleArray(store));
  p.image = LayoutGraphPage(p.g, s, CSampleArray(store), stat, labels, {2026, 12, 7, 1, 45, 2},
                            [](const std::string &t) { return static_cast<int>(t.size()) * 10; });
  return p;
}

int Count(const PageImage &page, PageOp::Kind kind, std::uint32_t rgb) {
  int n = 0;
  for (const auto &op : page.ops)
    n += op.kind == kind && op.rgb == rgb;
  return n;
}

const PageOp *FindText(const PageImage &page, const std::string &text) {
  for (const auto &op : page.ops)
    if (op.kind == PageOp::Kind::Text && op.text == text)
      return &op;
  return nullptr;
}

} // namespace

TEST(GraphPageGeometry, FrameFromPageAndPlotSize) {
  GraphPageGeometry g;
  ASSERT_TRUE(MakeGraphPageGeometry(2480, 3508, 40, Screen(), g));
  EXPECT_EQ(g.ox, 8 * (3508 / 130));
  EXPECT_EQ(g.oy, 4 * (3508 / 80));
  EXPECT_EQ(g.o, 2480 / 130);
  EXPECT_DOUBLE_EQ(g.r, 800.0 / (2480 - 16 * 26));
  EXPECT_DOUBLE_EQ(g.v, 300.0 / (3508 / 2 - g.oy));
  // The plot's far corner lands on the printed frame's far corner.
  EXPECT_EQ(PageX(g, 800), 2480 - 8 * 26);
  EXPECT_EQ(PageY(g, 300), 3508 / 2);

  CGraphState none;
  EXPECT_FALSE(MakeGraphPageGeometry(2480, 3508, 40, none, g));    // never laid out: no scales
  EXPECT_FALSE(MakeGraphPageGeometry(300, 3508, 40, Screen(), g)); // margins wider than the page
  EXPECT_FALSE(MakeGraphPageGeometry(2480, 1, 40, Screen(), g));   // no height
}

TEST(GraphPageLayout, CurveFollowsZoomAndScrollWithMarkersOnlyWhenWide) {
  CSampleStore store;
  Fill(store, 40);
  CGraphState s = Screen();
  s.m_xScale = 0.5; // two pixels per sample: no markers
  Page p = Layout(s, store);
  const SampleRange all = VisibleRange(s, store.GetSize());
  EXPECT_EQ(Count(p.image, PageOp::Kind::Line, 0x0000FF), static_cast<int>(all.last - all.first - 1));
  EXPECT_EQ(Count(p.image, PageOp::Kind::Ellipse, 0), 0);

  s.m_xScale = 0.25; // four pixels per sample
  s.m_xOffset = 30.5;
  p = Layout(s, store);
  // Samples 30..39: nine segments, a marker at both ends of each.
  EXPECT_EQ(Count(p.image, PageOp::Kind::Line, 0x0000FF), 9);
  EXPECT_EQ(Count(p.image, PageOp::Kind::Ellipse, 0), 18);
  const PageOp *first = nullptr;
  for (const auto &op : p.image.ops)
    if (op.kind == PageOp::Kind::Line && op.rgb == 0x0000FF) {
      first = &op;
      break;
    }
  ASSERT_TRUE(first);
  EXPECT_EQ(first->x1, PageX(p.g, PlotX(s, 30)));
  EXPECT_EQ(first->y1, PageY(p.g, PlotY(s, 90.0)));
  EXPECT_EQ(first->x2, PageX(p.g, PlotX(s, 31)));
  EXPECT_LT(first->x1, p.g.ox); // half a sample left of the plot, under the left mask
}

TEST(GraphPageLayout, MasksKeepTheCurveInsideThePlot) {
  CSampleStore store;
  Fill(store, 30);
  const Page p = Layout(Screen(), store);
  const int right = p.g.ox + TruncToInt(800 / p.g.r);
  bool leftMask = false, rightMask = false, bottomMask = false;
  for (const auto &op : p.image.ops) {
    if (op.kind != PageOp::Kind::Fill || op.rgb != 0xFFFFFF)
      continue;
    leftMask |= op.x1 == 0 && op.x2 == p.g.ox && op.y2 == p.g.H;
    rightMask |= op.x1 == right && op.x1 + op.x2 >= p.g.W;
    bottomMask |= op.y1 == p.g.H / 2 && op.x1 == p.g.ox && op.x1 + op.x2 >= right;
  }
  EXPECT_TRUE(leftMask);
  EXPECT_TRUE(rightMask);
  EXPECT_TRUE(bottomMask);
  // Every mask comes after the curve and before the axes.
  int lastCurve = -1, firstMask = -1, firstBlack = -1;
  for (int i = 0; i < static_cast<int>(p.image.ops.size()); ++i) {
    const auto &op = p.image.ops[i];
    if (op.kind == PageOp::Kind::Line && op.rgb == 0x0000FF)
      lastCurve = i;
    if (op.kind == PageOp::Kind::Fill && firstMask < 0)
      firstMask = i;
    if (op.kind == PageOp::Kind::Line && op.rgb == 0 && firstBlack < 0)
      firstBlack = i;
  }
  EXPECT_LT(lastCurve, firstMask);
  EXPECT_LT(firstMask, firstBlack);
}

TEST(GraphPageLayout, LevelLabelsGridAndTimeTicks) {
  CSampleStore store;
  Fill(store, 21);
  CGraphState s = Screen();
  s.m_yOffset = 20; // scrolled up by 20 dB
  const Page p = Layout(s, store);
  const GraphPageGeometry &g = p.g;
  for (int k = 0; k <= 10; ++k) {
    const std::string text = [&] {
      char b[16];
      std::snprintf(b, sizeof b, "%.1f", 20 + 13.0 * (10 - k));
      return std::string(b);
    }();
    const PageOp *label = FindText(p.image, text);
    ASSERT_TRUE(label) << text;
    EXPECT_EQ(label->x1, g.ox - 5 * g.o);
    EXPECT_EQ(label->y1, g.oy + TruncToInt(300 * k / 10.0 / g.v - g.L / 2));
  }
  const char *ticks[] = {"01:45:00", "01:45:04", "01:45:08", "01:45:12", "01:45:16", "01:45:20"};
  for (int k = 0; k < 6; ++k) {
    const PageOp *label = FindText(p.image, ticks[k]);
    ASSERT_TRUE(label) << ticks[k];
    const int x = TruncToInt(g.ox + (k * 800 / 5) / g.r);
    EXPECT_EQ(label->x1, x - 40);
    EXPECT_EQ(label->y1, TruncToInt(g.oy + 300 / g.v + g.L / 2));
  }
}

TEST(GraphPageLayout, TitleDateLineAndStatisticsBlock) {
  CSampleStore store;
  Fill(store, 3);
  StatData st;
  for (std::size_t i = 0; i < store.GetSize(); ++i)
    st.AddSample(CSampleArray(store), i);
  st.dSampleRate = 1.0;
  const Page p = Layout(Screen(), store, st);
  const GraphPageGeometry &g = p.g;
  const PageOp *title = FindText(p.image, "Krzywa w czasie rzeczywistym");
  ASSERT_TRUE(title);
  EXPECT_EQ(title->x1, g.W / 2 - 14 * g.o);
  EXPECT_EQ(title->y1, g.F);
  const PageOp *date = FindText(p.image, "Czas: 2026-12-7  1:45:2");
  ASSERT_TRUE(date);
  EXPECT_EQ(date->x1, g.W / 2 - 11 * g.o);
  EXPECT_EQ(date->y1, 2 * g.F);

  struct Want {
    const char *text;
    int chars, line;
  } want[] = {{"Czas rozpoczęcia", 0, 0},
              {"07-12-2026,01:45:00", 16, 0},
              {"MAKS.", 0, 1},
              {"62.00", 9, 1},
              {"07-12-2026,01:45:02", 15, 1},
              {"MIN.", 0, 2},
              {"60.00", 8, 2},
              {"07-12-2026,01:45:00", 14, 2},
              {"Częstotliwość próbkowania", 0, 3},
              {"1.00", 29, 3},
              {"Średnia", 0, 4},
              {"61.00", 11, 4},
              // The noise figures of the printed samples, one second apart.
              {"LAeq", 0, 5},
              {"61.1", 29, 5},
              {"L10", 0, 6},
              {"62.0", 29, 6},
              {"L90", 0, 8},
              {"60.0", 29, 8},
              {"SEL", 0, 9},
              {"65.8", 29, 9},
              {"Czas trwania", 0, 10},
              {"0:00:03", 29, 10}};
  for (const Want &w : want) {
    bool found = false;
    for (const auto &op : p.image.ops)
      found |= op.kind == PageOp::Kind::Text && op.text == w.text && op.x1 == g.ox + w.chars * g.o &&
               op.y1 == g.H / 2 + g.oy + w.line * g.L;
    EXPECT_TRUE(found) << w.text << " on line " << w.line;
  }
}

TEST(GraphPageLayout, StatisticsMoveRightOnlyWhereTheTextBeforeThemIsWider) {
  GraphPageGeometry g;
  ASSERT_TRUE(MakeGraphPageGeometry(2480, 3508, 40, Screen(), g)); // o = 19
  // A wide font: 25 pixels a character.
  auto wide = [](const std::string &t) { return static_cast<int>(Utf8Length(t)) * 25; };
  std::vector<StatLine> lines = GraphStatLines(StatData{});
  // A line another block may add under the first five, with two values.
  lines.push_back({"Leq", {{6, "61.30"}, {14, "L10"}}});
  PageImage page;
  LayoutStatLines(page, g, lines, wide);
  ASSERT_EQ(page.ops.size(), 15u);
  std::size_t k = 0;
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const PageOp &label = page.ops[k++];
    EXPECT_EQ(label.x1, g.ox);
    EXPECT_EQ(label.y1, g.H / 2 + g.oy + static_cast<int>(n) * g.L);
    int end = label.x1 + wide(label.text);
    for (const StatLine::Cell &cell : lines[n].cells) {
      const PageOp &value = page.ops[k++];
      EXPECT_EQ(value.text, cell.strText);
      // Never left of its place, and a character unit clear of the text before it.
      EXPECT_EQ(value.x1, std::max(g.ox + cell.nChars * g.o, end + g.o)) << value.text;
      end = value.x1 + wide(value.text);
    }
  }
  // "Czas rozpoczęcia" is 16 characters, 400 pixels: its value moves right.
  EXPECT_EQ(page.ops[1].x1, g.ox + 400 + g.o);

  PageImage more;
  LayoutStatLines(more, g, {{"SEL", {}}}, wide, 5);
  ASSERT_EQ(more.ops.size(), 1u);
  EXPECT_EQ(more.ops[0].y1, g.H / 2 + g.oy + 5 * g.L);
}

TEST(GraphPageLayout, CurveIsClippedToThePlotAndDrawnWithTheGivenPen) {
  CSampleStore store;
  Fill(store, 10);
  CGraphState s = Screen();
  Page p;
  ASSERT_TRUE(MakeGraphPageGeometry(2480, 3508, 40, s, p.g));
  p.g.nCurvePen = PenPixels(kCurvePenMm, 300);
  EXPECT_EQ(p.g.nCurvePen, 5);
  EXPECT_EQ(PenPixels(kCurvePenMm, 72), 1);
  EXPECT_EQ(PenPixels(kCurvePenMm, 1200), 17);
  p.image = LayoutGraphPage(p.g, s, CSampleArray(store), {}, ComputeTimeLabels(s, CSampleArray(store)),
                            {2026, 12, 7, 1, 45, 2}, [](const std::string &t) { return int(t.size()) * 10; });
  const auto &ops = p.image.ops;
  ASSERT_EQ(ops.front().kind, PageOp::Kind::Clip);
  EXPECT_EQ(ops.front().x1, p.g.ox);
  EXPECT_EQ(ops.front().y1, p.g.oy);
  EXPECT_EQ(ops.front().x1 + ops.front().x2 - 1, PageX(p.g, 800));
  EXPECT_EQ(ops.front().y1 + ops.front().y2 - 1, PageY(p.g, 300));
  int nCurve = 0;
  std::size_t i = 1;
  for (; i < ops.size() && ops[i].kind != PageOp::Kind::Clip; ++i) {
    if (ops[i].kind == PageOp::Kind::Line) {
      EXPECT_EQ(ops[i].penWidth, 5);
      ++nCurve;
    }
  }
  EXPECT_EQ(nCurve, 9);
  ASSERT_LT(i, ops.size());
  EXPECT_EQ(ops[i].x2, 0); // the limit is lifted before the axes and labels
}
