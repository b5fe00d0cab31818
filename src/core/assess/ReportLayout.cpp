#include "assess/ReportLayout.h"

#include "assess/AssessSummary.h"
#include "assess/AssessTexts.h"
#include "files/NumberText.h"
#include "records/AcousticStats.h"

#include <algorithm>
#include <cmath>

namespace {
using namespace AssessTexts;

constexpr std::uint32_t kShade = 0xFFD0C0;
constexpr std::uint32_t kThresholdRgb = 0xDC0000;
constexpr std::uint32_t kCurveRgb = 0x0000C0;
constexpr std::uint32_t kFrameRgb = 0x000000;

std::string Num(double d) {
  std::string s;
  AppendFixed(s, d, 1);
  return s;
}

// Pages filled line by line; a new page starts when the next line would not fit.
class CPages {
public:
  CPages(int W, int H, int L, FTranslate tr) : m_W(W), m_H(H), m_L(L), m_margin(W / 12), m_tr(tr) {
    NewPage();
  }

  PageImage &Page() { return m_pages.back(); }
  int Left() const { return m_margin; }
  int Width() const { return m_W - 2 * m_margin; }
  int Y() const { return m_y; }
  int L() const { return m_L; }
  // Room for `h` more pixels on this page, or a new page.
  void Need(int h, const std::vector<std::string> *repeatHeads = nullptr,
            const std::vector<int> *cols = nullptr) {
    if (m_y + h <= m_H - m_margin - 2 * m_L)
      return;
    NewPage();
    if (repeatHeads && cols)
      Row(*repeatHeads, *cols, true);
  }
  void Text(int x, const std::string &s) { Page().Text(x, m_y, s); }
  void Advance(int h) { m_y += h; }
  // One table row: each text at its column.
  void Row(const std::vector<std::string> &cells, const std::vector<int> &cols, bool bHead) {
    for (std::size_t i = 0; i < cells.size() && i < cols.size(); ++i)
      Page().Text(m_margin + cols[i], m_y, cells[i]);
    m_y += m_L;
    if (bHead) {
      Page().Line(m_margin, m_y, m_margin + Width(), m_y, kFrameRgb, 1);
      m_y += m_L / 4;
    }
  }
  std::vector<PageImage> Finish() {
    const std::size_t n = m_pages.size();
    for (std::size_t i = 0; i < n; ++i)
      m_pages[i].Text(m_margin, m_H - m_margin,
                      FillText(m_tr(kReportPage), std::to_string(i + 1), std::to_string(n)));
    return std::move(m_pages);
  }

private:
  void NewPage() {
    m_pages.emplace_back();
    m_y = m_margin;
  }
  int m_W, m_H, m_L, m_margin;
  FTranslate m_tr;
  int m_y = 0;
  std::vector<PageImage> m_pages;
};

// Columns of a table, from relative widths over the printable width.
std::vector<int> Columns(const std::vector<double> &widths, int nWidth) {
  double total = 0;
  for (double w : widths)
    total += w;
  std::vector<int> cols;
  double at = 0;
  for (double w : widths) {
    cols.push_back(static_cast<int>(at / total * nWidth));
    at += w;
  }
  return cols;
}

// The level against time: min and max of the samples under each column,
// the events shaded beneath, the threshold across.
void DrawGraph(PageImage &p, const SeriesAssessment &a, const CSampleArray &samples, int x0, int y0, int w,
               int h, int L) {
  const std::size_t n = samples.GetSize();
  double lo = a.dLmin, hi = a.dLmax;
  if (a.settings.dThreshold) {
    lo = std::min(lo, *a.settings.dThreshold);
    hi = std::max(hi, *a.settings.dThreshold);
  }
  lo = std::floor(lo / 10) * 10;
  hi = std::max(lo + 10, std::ceil(hi / 10) * 10);
  const auto Y = [&](double d) { return y0 + h - static_cast<int>((d - lo) / (hi - lo) * h); };
  const auto X = [&](double i) {
    return x0 + static_cast<int>(i / std::max<double>(1, static_cast<double>(n)) * w);
  };
  for (const NoiseEvent &e : a.events) {
    const int xa = X(static_cast<double>(e.nFirst)),
              xb = std::max(xa + 1, X(static_cast<double>(e.nLast + 1)));
    p.Fill(xa, y0, xb - xa, h, kShade);
  }
  if (n > 0 && n <= static_cast<std::size_t>(w)) {
    // few samples: a line from each to the next
    for (std::size_t i = 1; i < n; ++i)
      p.Line(X(static_cast<double>(i) - 0.5), Y(samples.Level(i - 1)), X(static_cast<double>(i) + 0.5),
             Y(samples.Level(i)), kCurveRgb, 1);
  } else if (n > 0) {
    // many: each column spans its samples from the lowest to the highest
    int prevY = Y(samples.Level(0));
    for (int c = 0; c < w; ++c) {
      const std::size_t from = static_cast<std::size_t>(static_cast<double>(c) / w * static_cast<double>(n));
      const std::size_t to = std::max(
          from + 1, static_cast<std::size_t>(static_cast<double>(c + 1) / w * static_cast<double>(n)));
      double mn = samples.Level(from), mx = mn;
      samples.ForEachLevelSpan(from, std::min(to, n), [&](std::span<const double> l, std::size_t) {
        for (double d : l) {
          mn = std::min(mn, d);
          mx = std::max(mx, d);
        }
      });
      p.Line(x0 + c, std::min(prevY, Y(mx)), x0 + c, std::max(prevY, Y(mn)), kCurveRgb, 1);
      prevY = Y(samples.Level(std::min(to, n) - 1));
    }
  }
  if (a.settings.dThreshold)
    p.Line(x0, Y(*a.settings.dThreshold), x0 + w, Y(*a.settings.dThreshold), kThresholdRgb, 2);
  p.Line(x0, y0, x0 + w, y0, kFrameRgb, 1);
  p.Line(x0 + w, y0, x0 + w, y0 + h, kFrameRgb, 1);
  p.Line(x0 + w, y0 + h, x0, y0 + h, kFrameRgb, 1);
  p.Line(x0, y0 + h, x0, y0, kFrameRgb, 1);
  p.Text(x0 - 4 * L, y0 - L / 2, Num(hi) + " dB");
  p.Text(x0 - 4 * L, y0 + h - L / 2, Num(lo) + " dB");
  if (n > 0) {
    p.Text(x0, y0 + h + L / 4, ClockText(a.tStart));
    p.Text(x0 + w - 12 * L, y0 + h + L / 4, ClockText(a.tEnd));
  }
}

std::vector<std::string> Translated(const TrText *first, const TrText *last, FTranslate tr) {
  std::vector<std::string> texts;
  for (; first != last; ++first)
    texts.push_back(tr(*first));
  return texts;
}
} // namespace

std::string InstrumentText(const SeriesAssessment &a, const CSampleArray &samples, FTranslate tr) {
  std::string s = tr(kReportMeter);
  if (a.weighting == Weighting::A || a.weighting == Weighting::C)
    s += a.weighting == Weighting::A ? ", dBA" : ", dBC";
  if (!samples.IsEmpty()) {
    std::string rate;
    AppendFixed(rate, samples.SampleRate(0), 1);
    s += FillText(tr(kReportSampleEvery), rate);
  }
  return s;
}

std::vector<PageImage> LayoutAssessmentReport(const SeriesAssessment &a, const CSampleArray &samples,
                                              const ReportInfo &info, int W, int H, int L, FTranslate tr) {
  CPages pages(W, H, L, tr);
  pages.Text(pages.Left(), info.strTitle.empty() ? tr(kReportTitle) : info.strTitle);
  pages.Advance(2 * L);
  const std::string interval = a.nSamples
                                   ? FillText(tr(kReportFromTo), ClockText(a.tStart), ClockText(a.tEnd)) +
                                         " (" + FormatDuration(a.dDurationSec) + ")"
                                   : "";
  const std::pair<TrText, std::string> particulars[] = {
      {kReportPlace, info.strPlace},   {kReportOperator, info.strOperator},
      {kReportNotes, info.strNotes},   {kReportInstrument, InstrumentText(a, samples, tr)},
      {kReportSource, info.strSource}, {kReportInterval, interval}};
  const int valueX = pages.Left() + pages.Width() / 4;
  for (const auto &[label, text] : particulars) {
    pages.Text(pages.Left(), tr(label) + ":");
    pages.Text(valueX, text);
    pages.Advance(L);
  }
  pages.Advance(L);
  const int graphH = H / 4;
  DrawGraph(pages.Page(), a, samples, pages.Left() + 4 * L, pages.Y(), pages.Width() - 4 * L, graphH, L);
  pages.Advance(graphH + 2 * L);

  pages.Text(pages.Left(), tr(kTabSummary));
  pages.Advance(L + L / 4);
  for (const SummaryRow &r : SummaryRows(a, tr)) {
    pages.Need(L);
    pages.Text(pages.Left(), r.strLabel);
    pages.Text(valueX, r.strText);
    pages.Advance(L);
  }

  const std::vector<std::string> periodHeads =
      Translated(std::begin(kPeriodHeads), std::end(kPeriodHeads), tr);
  const std::vector<int> periodCols =
      Columns({2.6, 2.6, 1.2, 1.4, 0.9, 0.9, 0.9, 0.9, 0.9, 0.9}, pages.Width());
  pages.Advance(L);
  pages.Need(3 * L);
  pages.Text(pages.Left(), tr(kTabPeriods));
  pages.Advance(L + L / 4);
  pages.Row(periodHeads, periodCols, true);
  for (const PeriodFigures &p : a.periods) {
    pages.Need(L, &periodHeads, &periodCols);
    pages.Row({ClockText(p.tStart), ClockText(p.tEnd), std::to_string(p.nSamples), Num(p.dCoveragePercent),
               Num(p.dLeq), Num(p.dLmax), Num(p.dLmin), Num(p.dL10), Num(p.dL50), Num(p.dL90)},
              periodCols, false);
  }

  const std::vector<std::string> eventHeads = Translated(std::begin(kEventHeads), std::end(kEventHeads), tr);
  const std::vector<int> eventCols = Columns({2.6, 2.6, 1.4, 1, 1, 1}, pages.Width());
  pages.Advance(L);
  pages.Need(3 * L);
  pages.Text(pages.Left(), tr(kTabEvents));
  pages.Advance(L + L / 4);
  if (!a.settings.dThreshold) {
    pages.Text(pages.Left(), tr(kNoThreshold));
    pages.Advance(L);
  } else {
    pages.Row(eventHeads, eventCols, true);
    for (const NoiseEvent &e : a.events) {
      pages.Need(L, &eventHeads, &eventCols);
      pages.Row({ClockText(e.tStart), ClockText(e.tEnd), Num(e.dDurationSec), Num(e.dLmax), Num(e.dLeq),
                 Num(e.dSel)},
                eventCols, false);
    }
  }
  return pages.Finish();
}
