#include "datalog/DataLogDlg.h"
#include "forms/ControlIds.h"
#include "monitor/ViewFixture.h"

#include <QApplication>
#include <QStyle>
#include <QTableView>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include <cmath>
#include <map>

namespace {

// WCAG relative luminance and contrast ratio.
double Luminance(const QColor &c) {
  auto channel = [](int v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}
double Contrast(const QColor &a, const QColor &b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct CellColours {
  QColor background; // the commonest pixel of the cell
  QColor text;       // the pixel that stands out from it the most: the glyphs' core
};
CellColours RenderedCell(QAbstractItemView *view, const QModelIndex &index) {
  const QImage img = view->viewport()->grab().toImage();
  const QRect r = view->visualRect(index).adjusted(2, 2, -2, -2) & img.rect();
  std::map<QRgb, int> counts;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      ++counts[img.pixel(x, y)];
  CellColours c;
  int best = 0;
  for (auto [rgb, n] : counts)
    if (n > best)
      best = n, c.background = QColor(rgb);
  double most = 0;
  for (auto [rgb, n] : counts)
    if (const double k = Contrast(c.background, QColor(rgb)); k > most)
      most = k, c.text = QColor(rgb);
  return c;
}

// Renders row 1 selected and row 0 not, under the application style `style`,
// and checks that the selection shows and its text reads.
void ExpectReadableSelection(QAbstractItemView *view, const QString &style) {
  QApplication::setStyle(style);
  view->setFocus();
  view->setCurrentIndex(view->model()->index(1, 1));
  view->selectionModel()->select(view->model()->index(1, 0),
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  QCoreApplication::processEvents();
  const CellColours selected = RenderedCell(view, view->model()->index(1, 1));
  const CellColours plain = RenderedCell(view, view->model()->index(0, 1));
  EXPECT_NE(selected.background, plain.background) << style.toStdString();
  EXPECT_GE(Contrast(selected.background, selected.text), 4.5)
      << style.toStdString() << ": " << selected.text.name().toStdString() << " on "
      << selected.background.name().toStdString();
}

struct StyleRestorer {
  QString name = QApplication::style()->name();
  ~StyleRestorer() { QApplication::setStyle(name); }
};

const char *const kStyles[] = {"", "Fusion", "Windows"}; // "": the default style

class SelectionContrast : public ViewFixture {};

TEST_F(SelectionContrast, LiveTableRowsReadWhenSelectedInEveryStyle) {
  StyleRestorer restore;
  Hear();
  m_pView->OnRun();
  Tick(3);
  m_pView->OnShowTable();
  m_pView->resize(1000, 700);
  m_pView->show();
  auto *table = DlgItem<QTableView>(m_pView, FormIds::kTable);
  ASSERT_NE(table, nullptr);
  for (const char *style : kStyles)
    ExpectReadableSelection(table, *style ? QString::fromLatin1(style) : restore.name);
}

TEST_F(SelectionContrast, RecordingListRowsReadWhenSelectedInEveryStyle) {
  StyleRestorer restore;
  for (int g = 1; g <= 2; ++g)
    m_stores.m_log.Emplace(60.0, "07-12-2026,1:00:00", "dBA", g, 1.0);
  CDataLogDlg dlg(m_stores, m_prompts);
  dlg.Create();
  dlg.show();
  for (const char *style : kStyles)
    ExpectReadableSelection(dlg.List(), *style ? QString::fromLatin1(style) : restore.name);
}

} // namespace
