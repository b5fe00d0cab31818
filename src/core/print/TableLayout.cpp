#include "print/TableLayout.h"

#include "print/PrintFormat.h"
#include "print/PrintTexts.h"

#include <algorithm>
#include <string>

namespace {

// Line position of the first sample on page 1: "Tabela", five statistics
// lines and the headings come first.
constexpr int kFirstRowLine = 7;

void Footer(PageImage &page, const TableGeometry &g, const std::string &timeText, int pageNo) {
  const int y = g.H - g.F;
  page.Text(g.W / 3 - static_cast<int>(Utf8Length(timeText)) * g.G, y, timeText);
  page.Text(g.W / 3 + g.G, y, FormatPageNumber(pageNo));
}

void Headings(PageImage &page, const TableGeometry &g, int y, FTranslate tr) {
  page.Text(4 * g.G, y, tr(PrintTexts::kIdHeading));
  page.Text(11 * g.G, y, tr(PrintTexts::kDateTime));
  page.Text(29 * g.G, y, tr(PrintTexts::kUnit));
  page.Text(40 * g.G, y, tr(PrintTexts::kValue));
}

void Row(PageImage &page, const TableGeometry &g, std::size_t n, const CObjData &rec, int y) {
  page.Text(4 * g.G, y, std::to_string(n));
  page.Text(11 * g.G, y, rec.m_strTime);
  page.Text(29 * g.G, y, rec.m_strUnit);
  page.Text(40 * g.G, y, FormatFixed(rec.m_dValue, 2));
  page.Line(4 * g.G, y, 49 * g.G, y);
}

void FirstPageHeader(PageImage &page, const TableGeometry &g, const StatData &s, FTranslate tr) {
  page.Text(g.W / 4 - 5 * g.G, g.F, tr(PrintTexts::kTable));
  const TrText labels[] = {PrintTexts::kStartTime, PrintTexts::kMax, PrintTexts::kMin, PrintTexts::kAverage,
                           PrintTexts::kSampleRate};
  const std::string values[] = {s.strStartTime, FormatFixed(s.dMax, 2) + "   " + s.strMaxTime,
                                FormatFixed(s.dMin, 2) + "   " + s.strMinTime, FormatFixed(s.dAverage, 2),
                                FormatFixed(s.dSampleRate, 2)};
  for (int k = 0; k < 5; ++k) {
    const int y = g.F + (k + 1) * g.J;
    page.Text(4 * g.G, y, tr(labels[k]));
    page.Text(29 * g.G, y, values[k]);
  }
  Headings(page, g, g.F + kFirstRowLine * g.J, tr);
}

} // namespace

TableGeometry MakeTableGeometry(int W, int H, int lineHeight) {
  TableGeometry g;
  g.W = W;
  g.H = H;
  g.F = H / 80;
  g.G = H / 130;
  g.J = std::max(lineHeight, 1);
  // A page must hold the header and at least one row, or the page break
  // rule would divide by zero or break inside the header.
  g.R = std::max((H - 4 * g.F) / g.J, kFirstRowLine + 1);
  return g;
}

TableRowPlace PlaceTableRow(const TableGeometry &g, std::size_t n) {
  const long long i = static_cast<long long>(n) + kFirstRowLine - 1;
  TableRowPlace p;
  p.page = static_cast<int>((i - 1) / g.R + 1);
  p.line = static_cast<int>(i % g.R);
  if (p.line == 0) {
    p.line = g.R;
    p.endsPage = true;
  }
  return p;
}

int TableLineY(const TableGeometry &g, int line) {
  return g.F + g.J + line * g.J;
}

int TablePageCount(const TableGeometry &g, std::size_t count) {
  return static_cast<int>((static_cast<long long>(count) + kFirstRowLine - 1) / g.R + 1);
}

std::vector<PageImage> LayoutTable(const TableGeometry &g, const CSampleArray &samples, const StatData &stat,
                                   const PrintTime &now, FTranslate tr) {
  std::vector<PageImage> pages;
  if (samples.IsEmpty())
    return pages;
  const std::string timeText = FormatFooterTime(now);
  pages.reserve(static_cast<std::size_t>(TablePageCount(g, samples.GetSize())));
  pages.emplace_back();
  FirstPageHeader(pages.back(), g, stat, tr);
  for (std::size_t n = 1; n <= samples.GetSize(); ++n) {
    const TableRowPlace place = PlaceTableRow(g, n);
    Row(pages.back(), g, n, samples[n - 1], TableLineY(g, place.line));
    if (place.endsPage) {
      Footer(pages.back(), g, timeText, place.page);
      pages.emplace_back();
      pages.back().Text(g.W / 4 - 4 * g.G, g.F, tr(PrintTexts::kTable));
      Headings(pages.back(), g, TableLineY(g, 0), tr);
    }
  }
  Footer(pages.back(), g, timeText, static_cast<int>(pages.size()));
  return pages;
}
