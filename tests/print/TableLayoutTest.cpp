#include "print/TableLayout.h"
#include "print/PrintFormat.h"
#include "records/SampleArray.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A4 at 300 dpi with a 40-pixel line: F = 43, G = 26, R = 83.
TableGeometry Geom() {
  return MakeTableGeometry(2480, 3508, 40);
}

void Fill(CSampleStore &store, int n) {
  for (int k = 0; k < n; ++k)
    store.Emplace(60.0 + k * 0.01, "07-12-2026,01:45:" + std::to_string(k % 60), k % 2 ? "dBC" : "dBA", 0,
                  1.0);
}

std::vector<const PageOp *> TextsAt(const PageImage &page, int y) {
  std::vector<const PageOp *> v;
  for (const auto &op : page.ops)
    if (op.kind == PageOp::Kind::Text && op.y1 == y)
      v.push_back(&op);
  return v;
}

const PageOp *FindText(const PageImage &page, const std::string &text) {
  for (const auto &op : page.ops)
    if (op.kind == PageOp::Kind::Text && op.text == text)
      return &op;
  return nullptr;
}

int CountText(const std::vector<PageImage> &pages, const std::string &text) {
  int n = 0;
  for (const auto &p : pages)
    for (const auto &op : p.ops)
      n += op.kind == PageOp::Kind::Text && op.text == text;
  return n;
}

} // namespace

TEST(TableGeometry, UnitsAndRowsPerPageTruncate) {
  const TableGeometry g = Geom();
  EXPECT_EQ(g.F, 43);
  EXPECT_EQ(g.G, 26);
  EXPECT_EQ(g.R, (3508 - 4 * 43) / 40);
  // A page too small for the header still breaks after one row, never by zero.
  const TableGeometry tiny = MakeTableGeometry(10, 10, 0);
  EXPECT_EQ(tiny.J, 1);
  EXPECT_EQ(tiny.R, 10);
  EXPECT_EQ(MakeTableGeometry(100, 100, 50).R, 8);
}

TEST(TableGeometry, RowPlacesAndPageCountAroundTheBreaks) {
  const TableGeometry g = Geom();
  const int R = g.R;
  EXPECT_EQ(PlaceTableRow(g, 1).line, 7);
  EXPECT_EQ(PlaceTableRow(g, 1).page, 1);
  EXPECT_FALSE(PlaceTableRow(g, R - 7).endsPage);
  EXPECT_EQ(PlaceTableRow(g, R - 7).line, R - 1);
  // Sample R - 6 takes the last line of page 1 and ends it.
  EXPECT_TRUE(PlaceTableRow(g, R - 6).endsPage);
  EXPECT_EQ(PlaceTableRow(g, R - 6).line, R);
  EXPECT_EQ(PlaceTableRow(g, R - 6).page, 1);
  // The next sample opens page 2 right under its headings.
  EXPECT_EQ(PlaceTableRow(g, R - 5).page, 2);
  EXPECT_EQ(PlaceTableRow(g, R - 5).line, 1);
  EXPECT_TRUE(PlaceTableRow(g, 2 * R - 6).endsPage);
  EXPECT_EQ(PlaceTableRow(g, 2 * R - 6).page, 2);
  EXPECT_EQ(TablePageCount(g, R - 7), 1);
  EXPECT_EQ(TablePageCount(g, R - 6), 2);
  EXPECT_EQ(TablePageCount(g, 2 * R - 7), 2);
  EXPECT_EQ(TablePageCount(g, 2 * R - 6), 3);
  EXPECT_EQ(TableLineY(g, 0), g.F + g.J);
}

TEST(TableLayout, EmptyArrayHasNoPages) {
  CSampleStore store;
  EXPECT_TRUE(LayoutTable(Geom(), CSampleArray(store), StatData{}, {}).empty());
}

TEST(TableLayout, FirstPageHeaderStatisticsAndFirstRow) {
  const TableGeometry g = Geom();
  CSampleStore store;
  store.Emplace(62.3, "07-12-2026,01:45:03", "dBA", 0, 0.5);
  StatData s;
  s.AddSample(CSampleArray(store), 0);
  s.dSampleRate = 0.5;
  const auto pages = LayoutTable(g, CSampleArray(store), s, {2026, 12, 7, 1, 46, 0});
  ASSERT_EQ(pages.size(), 1u);
  const PageImage &p = pages[0];
  const PageOp *title = FindText(p, "Tabela");
  ASSERT_TRUE(title);
  EXPECT_EQ(title->x1, g.W / 4 - 5 * g.G);
  EXPECT_EQ(title->y1, g.F);

  const char *labels[] = {"Czas rozpoczęcia", "MAKS.", "MIN.", "Średnia", "Częstotliwość próbkowania"};
  const std::string values[] = {"07-12-2026,01:45:03", "62.30   07-12-2026,01:45:03",
                                "62.30   07-12-2026,01:45:03", "62.30", "0.50"};
  for (int k = 0; k < 5; ++k) {
    auto line = TextsAt(p, g.F + (k + 1) * g.J);
    ASSERT_EQ(line.size(), 2u) << k;
    EXPECT_EQ(line[0]->text, labels[k]);
    EXPECT_EQ(line[0]->x1, 4 * g.G);
    EXPECT_EQ(line[1]->text, values[k]);
    EXPECT_EQ(line[1]->x1, 29 * g.G);
  }
  auto head = TextsAt(p, g.F + 7 * g.J);
  ASSERT_EQ(head.size(), 4u);
  EXPECT_EQ(head[0]->text, "ID");
  EXPECT_EQ(head[3]->text, "Wartość");
  EXPECT_EQ(head[2]->x1, 29 * g.G);
  EXPECT_EQ(head[3]->x1, 40 * g.G);

  const int rowY = g.F + 8 * g.J;
  auto row = TextsAt(p, rowY);
  ASSERT_EQ(row.size(), 4u);
  EXPECT_EQ(row[0]->text, "1");
  EXPECT_EQ(row[1]->text, "07-12-2026,01:45:03");
  EXPECT_EQ(row[1]->x1, 11 * g.G);
  EXPECT_EQ(row[2]->text, "dBA");
  EXPECT_EQ(row[3]->text, "62.30");
  bool ruled = false;
  for (const auto &op : p.ops)
    ruled |= op.kind == PageOp::Kind::Line && op.y1 == rowY && op.y2 == rowY && op.x1 == 4 * g.G &&
             op.x2 == 49 * g.G;
  EXPECT_TRUE(ruled);

  const std::string when = "Time: 2026-12-7  1:46:0";
  const PageOp *footer = FindText(p, when);
  ASSERT_TRUE(footer);
  EXPECT_EQ(footer->y1, g.H - g.F);
  EXPECT_EQ(footer->x1, g.W / 3 - static_cast<int>(when.size()) * g.G);
  const PageOp *pageNo = FindText(p, "Page -1-");
  ASSERT_TRUE(pageNo);
  EXPECT_EQ(pageNo->x1, g.W / 3 + g.G);
}

TEST(TableLayout, ContinuationPagesStartWithTheNextRowUnderNewHeadings) {
  const TableGeometry g = Geom();
  const int R = g.R;
  CSampleStore store;
  Fill(store, 2 * R - 6 + 3); // two full pages and three rows on page 3
  const auto pages = LayoutTable(g, CSampleArray(store), StatData{}, {});
  ASSERT_EQ(pages.size(), 3u);
  for (int n = 1; n <= static_cast<int>(store.GetSize()); ++n)
    EXPECT_EQ(CountText(pages, FormatFixed(store[n - 1].m_dValue, 2)), 1) << "row " << n;
  for (int k = 0; k < 3; ++k) {
    EXPECT_TRUE(FindText(pages[k], "Page -" + std::to_string(k + 1) + "-")) << k;
    EXPECT_EQ(TextsAt(pages[k], g.H - g.F).size(), 2u);
  }
  // Page 1 ends with sample R - 6 on line R; page 2 has headings on line 0
  // and sample R - 5 on line 1.
  auto last = TextsAt(pages[0], TableLineY(g, R));
  ASSERT_FALSE(last.empty());
  EXPECT_EQ(last[0]->text, std::to_string(R - 6));
  const PageOp *title2 = FindText(pages[1], "Tabela");
  ASSERT_TRUE(title2);
  EXPECT_EQ(title2->x1, g.W / 4 - 4 * g.G);
  auto head2 = TextsAt(pages[1], TableLineY(g, 0));
  ASSERT_EQ(head2.size(), 4u);
  EXPECT_EQ(head2[1]->text, "Data, czas");
  auto first2 = TextsAt(pages[1], TableLineY(g, 1));
  ASSERT_FALSE(first2.empty());
  EXPECT_EQ(first2[0]->text, std::to_string(R - 5));
  EXPECT_FALSE(FindText(pages[1], "MAKS.")); // statistics only on page 1
  auto first3 = TextsAt(pages[2], TableLineY(g, 1));
  ASSERT_FALSE(first3.empty());
  EXPECT_EQ(first3[0]->text, std::to_string(2 * R - 5));
}

TEST(PrintFormat, NumbersIgnoreTheLocaleAndRoundLikePrintf) {
  EXPECT_EQ(FormatFixed(62.3, 2), "62.30");
  EXPECT_EQ(FormatFixed(0.125, 2), "0.12"); // exact binary tie rounds to even, as printf
  EXPECT_EQ(FormatFixed(-3.456, 1), "-3.5");
  EXPECT_EQ(Utf8Length("Częstotliwość próbkowania"), 25u);
  EXPECT_EQ(FormatFooterTime({2026, 1, 2, 3, 4, 5}), "Time: 2026-1-2  3:4:5");
  EXPECT_EQ(FormatPageNumber(12), "Page -12-");
}
