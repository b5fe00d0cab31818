// Placement and colours of the view's controls, and the graph/table switch.
#include "graph/GraphicsBtn.h"
#include "monitor/MyVomoView.h"
#include "monitor/SampleTableModel.h"
#include "res/ControlIds.h"
#include "uikit/DialogBuilder.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTreeView>

namespace {
const QColor kControlBack(170, 175, 195);
const QColor kCursorA(110, 30, 200);
const QColor kCursorB(0, 255, 0);
const QColor kRateBack(100, 100, 100);
constexpr int kMinWidth = 800;
constexpr int kMinHeight = 550;
} // namespace

std::array<QWidget *, 3> CMyVomoView::GraphWidgets() const {
  return {m_pGraph, DlgItem<QWidget>(this, GraphIds::kVScroll), DlgItem<QWidget>(this, GraphIds::kHScroll)};
}

void CMyVomoView::ApplyColours() {
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kControlBack);
  pal.setColor(QPalette::Button, kControlBack);
  setPalette(pal);
  // Edits keep the default base colour; labels, frames and buttons take the
  // control background through the palette they inherit.
  for (int nId : {FormIds::kCursorALabel, FormIds::kCursorBLabel}) {
    QLabel *l = DlgItem<QLabel>(this, nId);
    QPalette lp = l->palette();
    lp.setColor(QPalette::WindowText, nId == FormIds::kCursorALabel ? kCursorA : kCursorB);
    l->setPalette(lp);
  }
  QPalette rp = m_pRate->palette();
  rp.setColor(QPalette::Button, kRateBack);
  rp.setColor(QPalette::Base, kRateBack);
  m_pRate->setPalette(rp);
}

void CMyVomoView::resizeEvent(QResizeEvent *event) {
  QWidget::resizeEvent(event);
  LayoutControls();
}

void CMyVomoView::LayoutControls() {
  using namespace FormIds;
  QWidget *pCursorBox = DlgItem<QWidget>(this, kCursorBox);
  QWidget *pGraphBox = DlgItem<QWidget>(this, kGraphBox);
  QWidget *pVScroll = DlgItem<QWidget>(this, GraphIds::kVScroll);
  QWidget *pHScroll = DlgItem<QWidget>(this, GraphIds::kHScroll);
  if (!m_pGraph || !pCursorBox)
    return;
  // Below 800 x 550 the controls are placed as if the view were that large.
  QRect r = rect();
  if (r.width() < kMinWidth)
    r.setWidth(kMinWidth);
  if (r.height() < kMinHeight)
    r.setHeight(kMinHeight);
  const QRect g = pCursorBox->geometry();
  const int nBottom = g.bottom() + 1; // the frame's bottom edge, exclusive as in a window rectangle
  const int nPlotW = r.width() - g.left() - 42;
  const int nPlotH = r.height() - nBottom - 60;
  m_pGraph->setGeometry(g.left(), nBottom + 5, nPlotW, nPlotH);
  m_pList->setGeometry(g.left(), nBottom + 5, nPlotW, nPlotH);
  pVScroll->setGeometry(r.width() - 42, nBottom + 5, 15, nPlotH);
  pHScroll->setGeometry(g.left(), r.height() - 35, nPlotW, 15);
  pGraphBox->setGeometry(g.left() - 10, r.top() + 10, r.width() - g.left(), r.height() - 20);
  for (QWidget *w : std::initializer_list<QWidget *>{m_pGraph, m_pList, pVScroll, pHScroll})
    w->raise();
  pGraphBox->lower();
  m_pReadout->lower();
}

void CMyVomoView::OnShowTable() {
  if (m_bShowTable)
    return;
  m_pList->show();
  m_pModel->Flush();
  if (const int nRows = m_pModel->rowCount(QModelIndex()); nRows > 0)
    m_pList->scrollTo(m_pModel->index(nRows - 1, 0));
  for (QWidget *w : GraphWidgets())
    w->hide();
  m_bShowTable = true;
}

void CMyVomoView::OnShowGraph() {
  if (!m_bShowTable)
    return;
  for (QWidget *w : GraphWidgets())
    w->show();
  m_pList->hide();
  m_bShowTable = false;
}
