#include "assess/AssessSheets.h"

#include "assess/AssessSummary.h"
#include "assess/AssessTexts.h"

#include <iterator>

namespace {
// The workbook is a file: its sheets and headings keep the source texts.
std::vector<std::string> Heads(const TrText *first, const TrText *last) {
  std::vector<std::string> heads;
  for (; first != last; ++first)
    heads.emplace_back(first->source);
  return heads;
}
} // namespace

std::vector<WorkbookSheet> AssessmentSheets(const SeriesAssessment &a) {
  using namespace AssessTexts;
  using C = WorkbookCell;
  WorkbookSheet periods{kTabPeriods.source, Heads(std::begin(kPeriodHeads), std::end(kPeriodHeads)), {}};
  for (const PeriodFigures &p : a.periods)
    periods.rows.push_back({C::DateTime(p.tStart), C::DateTime(p.tEnd),
                            C::Number(static_cast<double>(p.nSamples), 0), C::Number(p.dCoveragePercent),
                            C::Number(p.dLeq), C::Number(p.dLmax), C::Number(p.dLmin), C::Number(p.dL10),
                            C::Number(p.dL50), C::Number(p.dL90)});
  WorkbookSheet events{kTabEvents.source, Heads(std::begin(kEventHeads), std::end(kEventHeads)), {}};
  for (const NoiseEvent &e : a.events)
    events.rows.push_back({C::DateTime(e.tStart), C::DateTime(e.tEnd), C::Number(e.dDurationSec),
                           C::Number(e.dLmax), C::Number(e.dLeq), C::Number(e.dSel)});
  WorkbookSheet summary{kTabSummary.source, Heads(std::begin(kSummaryHeads), std::end(kSummaryHeads)), {}};
  for (const SummaryRow &r : SummaryRows(a))
    summary.rows.push_back({C::Text(r.strLabel), r.dValue ? C::Number(*r.dValue) : C::Text(r.strText)});
  return {periods, events, summary};
}
