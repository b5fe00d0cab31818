#include "print/GraphPageLayout.h"

#include "graph/GraphMath.h"
#include "print/PrintFormat.h"
#include "print/PrintTexts.h"
#include "records/SampleAcoustics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr std::uint32_t kCurveRgb = 0x0000FF;
constexpr std::uint32_t kMarkerRgb = 0x000000;
constexpr std::uint32_t kMaskRgb = 0xFFFFFF;

int Len(const std::string &s) {
  return static_cast<int>(Utf8Length(s));
}

void Curve(PageImage &page, const GraphPageGeometry &g, const CGraphState &s, const CSampleArray &samples) {
  const SampleRange range = VisibleRange(s, samples.GetSize());
  if (range.last < 2)
    return;
  auto point = [&](std::size_t i) {
    return GraphPoint{PageX(g, PlotX(s, static_cast<double>(i))), PageY(g, PlotY(s, samples[i].m_dValue))};
  };
  // A zoomed curve runs past the plot; only the frame's inside is paper for it.
  page.Clip(g.ox, g.oy, TruncToInt(s.m_plotWidth / g.r) + 1, TruncToInt(s.m_plotHeight / g.v) + 1);
  for (std::size_t i = range.first; i + 1 < range.last; ++i) {
    const GraphPoint a = point(i), b = point(i + 1);
    page.Line(a.x, a.y, b.x, b.y, kCurveRgb, g.nCurvePen);
  }
  if (ShowMarkers(s)) {
    for (std::size_t i = range.first; i + 1 < range.last; ++i)
      for (const GraphPoint p : {point(i), point(i + 1)})
        page.Ellipse(p.x - 2, p.y - 2, p.x + 2, p.y + 2, kMarkerRgb, 4);
  }
  page.NoClip();
}

// Paper outside the plot is whited over what the curve drew there, as the
// screen paints its margins.
void Masks(PageImage &page, const GraphPageGeometry &g, const CGraphState &s) {
  const int m = TruncToInt((s.m_plotWidth + kMarginWidth) / g.r);
  page.Fill(0, 0, m + g.ox, g.oy, kMaskRgb);
  page.Fill(0, 0, g.ox, g.H, kMaskRgb);
  page.Fill(g.ox, g.H / 2, m + g.ox, g.H, kMaskRgb);
  // From the plot's right edge: the two samples drawn past it must not show.
  page.Fill(g.ox + TruncToInt(s.m_plotWidth / g.r), 0, g.W, g.H, kMaskRgb);
}

void LevelAxis(PageImage &page, const GraphPageGeometry &g, const CGraphState &s) {
  const int right = g.ox + TruncToInt(s.m_plotWidth / g.r);
  for (int k = 10; k >= 0; --k) {
    const double level = (s.m_plotHeight * (10 - k) / 10.0) * s.m_yScale + s.m_yOffset;
    const double down = s.m_plotHeight * k / 10.0 / g.v;
    page.Text(g.ox - 5 * g.o, g.oy + TruncToInt(down - g.L / 2), FormatFixed(level, 1));
    const int y = g.oy + TruncToInt(down);
    page.Line(g.ox, y, right, y);
  }
  page.Line(g.ox, g.oy, g.ox, TruncToInt(g.oy + s.m_plotHeight / g.v));
}

void TimeAxis(PageImage &page, const GraphPageGeometry &g, const CGraphState &s, const TimeAxisLabels &labels,
              const TextWidthFn &textWidth) {
  const int bottom = TruncToInt(g.oy + s.m_plotHeight / g.v);
  const int labelTop = TruncToInt(g.oy + s.m_plotHeight / g.v + g.L / 2);
  for (int k = 0; k < 6; ++k) {
    const int x = TruncToInt(g.ox + (k * s.m_plotWidth / 5) / g.r);
    page.Line(x, g.oy, x, bottom);
    if (k < static_cast<int>(labels.labels.size())) {
      const std::string &text = labels.labels[static_cast<std::size_t>(k)];
      page.Text(x - textWidth(text) / 2, labelTop, text);
    }
  }
}

void Title(PageImage &page, const GraphPageGeometry &g, const PrintTime &now, FTranslate tr) {
  const std::string title = tr(PrintTexts::kGraphTitle);
  page.Text(g.W / 2 - (Len(title) / 2) * g.o, g.F, title);
  const std::string date = FormatGraphDateLine(now, tr);
  page.Text(g.W / 2 - (Len(date) / 2) * g.o, 2 * g.F, date);
}

} // namespace

std::vector<StatLine> GraphStatLines(const StatData &st, FTranslate tr) {
  // The positions are the label's length in characters plus a few, as the
  // page was first laid out; measured widths push them right where needed.
  return {
      {tr(PrintTexts::kStartTime), {{16, st.strStartTime}}},
      {tr(PrintTexts::kMax), {{9, FormatFixed(st.dMax, 2)}, {15, st.strMaxTime}}},
      {tr(PrintTexts::kMin), {{8, FormatFixed(st.dMin, 2)}, {14, st.strMinTime}}},
      {tr(PrintTexts::kSampleRate), {{29, FormatFixed(st.dSampleRate, 2)}}},
      {tr(PrintTexts::kAverage), {{11, FormatFixed(st.dAverage, 2)}}},
  };
}

void LayoutStatLines(PageImage &page, const GraphPageGeometry &g, const std::vector<StatLine> &lines,
                     const TextWidthFn &textWidth, int nFirst) {
  const int gap = std::max(g.o, 1);
  int n = nFirst;
  for (const StatLine &line : lines) {
    const int y = g.H / 2 + g.oy + n++ * g.L;
    page.Text(g.ox, y, line.strLabel);
    int end = g.ox + textWidth(line.strLabel);
    for (const StatLine::Cell &cell : line.cells) {
      const int x = std::max(g.ox + cell.nChars * g.o, end + gap);
      page.Text(x, y, cell.strText);
      end = x + textWidth(cell.strText);
    }
  }
}

int PenPixels(double dMillimetres, int nDpi) {
  return std::max(1, static_cast<int>(std::ceil(dMillimetres * nDpi / 25.4)));
}

// The noise figures of the printed samples, one a line under the block above.
static std::vector<StatLine> NoiseStatLines(const CSampleArray &samples, const StatData &st, FTranslate tr) {
  std::vector<StatLine> lines;
  for (const AcousticFigure &f : AcousticFigures(SampleAcousticStats(samples, st.dSampleRate),
                                                 SampleLeqLabel(samples), tr(PrintTexts::kDuration)))
    lines.push_back({f.strLabel, {{29, f.strText}}});
  return lines;
}

bool MakeGraphPageGeometry(int W, int H, int lineHeight, const CGraphState &s, GraphPageGeometry &g) {
  const int d = H / 130;
  const int u = H / 80;
  g.W = W;
  g.H = H;
  g.F = u;
  g.o = W / 130;
  g.L = lineHeight;
  g.ox = 8 * d;
  g.oy = 4 * u;
  if (!HasPlot(s) || W - 16 * d <= 0 || H / 2 - g.oy <= 0)
    return false;
  g.r = static_cast<double>(s.m_plotWidth) / (W - 16 * d);
  g.v = static_cast<double>(s.m_plotHeight) / (H / 2 - g.oy);
  return true;
}

int PageX(const GraphPageGeometry &g, double px) {
  return g.ox + TruncToInt(px / g.r);
}
int PageY(const GraphPageGeometry &g, double py) {
  return g.oy + TruncToInt(py / g.v);
}

PageImage LayoutGraphPage(const GraphPageGeometry &g, const CGraphState &s, const CSampleArray &samples,
                          const StatData &stat, const TimeAxisLabels &labels, const PrintTime &now,
                          const TextWidthFn &textWidth, FTranslate tr) {
  PageImage page;
  Curve(page, g, s, samples);
  Masks(page, g, s);
  LevelAxis(page, g, s);
  TimeAxis(page, g, s, labels, textWidth);
  Title(page, g, now, tr);
  LayoutStatLines(page, g, GraphStatLines(stat, tr), textWidth);
  LayoutStatLines(page, g, NoiseStatLines(samples, stat, tr), textWidth, 5);
  return page;
}

std::string FormatGraphDateLine(const PrintTime &t, FTranslate tr) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "%s: %d-%d-%d  %d:%d:%d", tr(PrintTexts::kTime).c_str(), t.year, t.month,
                t.day, t.hour, t.minute, t.second);
  return buf;
}
