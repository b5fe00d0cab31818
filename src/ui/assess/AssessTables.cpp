#include "assess/AssessTables.h"

#include "assess/AssessSummary.h"
#include "files/NumberText.h"
#include "kit/TrStd.h"
#include "records/AcousticStats.h"

#include <QHeaderView>
#include <QTableWidget>

namespace {
QString Num(double d) {
  std::string s;
  AppendFixed(s, d, 1);
  return QString::fromStdString(s);
}

QString Clock(CivilSeconds t) {
  return QString::fromStdString(ClockText(t));
}
} // namespace

QStringList PeriodRowTexts(const PeriodFigures &p) {
  return {Clock(p.tStart),
          Clock(p.tEnd),
          QString::number(p.nSamples),
          Num(p.dCoveragePercent),
          Num(p.dLeq),
          Num(p.dLmax),
          Num(p.dLmin),
          Num(p.dL10),
          Num(p.dL50),
          Num(p.dL90)};
}

QStringList EventRowTexts(const NoiseEvent &e) {
  return {Clock(e.tStart), Clock(e.tEnd), Num(e.dDurationSec), Num(e.dLmax), Num(e.dLeq), Num(e.dSel)};
}

std::vector<QStringList> SummaryRowTexts(const SeriesAssessment &a) {
  std::vector<QStringList> rows;
  for (const SummaryRow &r : SummaryRows(a, TrStd))
    rows.push_back({QString::fromStdString(r.strLabel), QString::fromStdString(r.strText)});
  return rows;
}

void SetUpTable(QTableWidget *t, const QStringList &heads) {
  t->setColumnCount(static_cast<int>(heads.size()));
  t->setHorizontalHeaderLabels(heads);
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  t->setSelectionBehavior(QAbstractItemView::SelectRows);
  t->setSelectionMode(QAbstractItemView::SingleSelection);
  t->verticalHeader()->setVisible(false);
  t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

void FillTableRows(QTableWidget *t, const std::vector<QStringList> &rows, int nFrom) {
  const int n = static_cast<int>(rows.size());
  t->setRowCount(n);
  for (int r = std::max(0, nFrom); r < n; ++r)
    for (int c = 0; c < rows[static_cast<std::size_t>(r)].size(); ++c) {
      const QString &text = rows[static_cast<std::size_t>(r)][c];
      if (QTableWidgetItem *item = t->item(r, c))
        item->setText(text);
      else
        t->setItem(r, c, new QTableWidgetItem(text));
    }
}
