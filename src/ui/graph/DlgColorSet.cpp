#include "graph/DlgColorSet.h"

#include "forms/ColorSetTemplate.h"
#include "graph/ColorSettings.h"
#include "graph/GraphPainter.h"
#include "graph/GraphicsBtn.h"
#include "kit/DialogBuilder.h"
#include "kit/Prompts.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

CDlgColorSet::CDlgColorSet(CPrompts &prompts, QWidget *parent) : QDialog(parent), m_prompts(prompts) {
  const DlgTemplate &t = ColorSetTemplate();
  CDialogBuilder b(t);
  b.Build(this);
  setWindowTitle(TemplateCaption(t));
  setFixedSize(b.DialogSize());
  auto wire = [this](int nId, GraphColor &color) {
    if (auto *btn = DlgItem<QPushButton>(this, nId))
      connect(btn, &QPushButton::clicked, this, [this, &color] { Choose(color); });
  };
  wire(IDC_CHOOSE_GRID, m_gridColor);
  wire(IDC_CHOOSE_LINE, m_lineColor);
  wire(IDC_CHOOSE_BK, m_bkColor);
  if (auto *ok = DlgItem<QPushButton>(this, IDOK))
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  if (auto *cancel = DlgItem<QPushButton>(this, IDCANCEL))
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  PaintSwatches();
}

void CDlgColorSet::SetColors(const GraphColors &c) {
  m_bkColor = c.bk;
  m_gridColor = c.grid;
  m_lineColor = c.line;
  PaintSwatches();
}

void CDlgColorSet::Choose(GraphColor &color) {
  if (auto c = m_prompts.ChooseColor(this, QColor(0, 0, 0))) {
    color = FromQColor(*c);
    PaintSwatches();
  }
}

void CDlgColorSet::PaintSwatches() {
  auto paint = [this](int nId, GraphColor c) {
    auto *l = DlgItem<QLabel>(this, nId);
    if (!l)
      return;
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, ToQColor(c));
    pal.setColor(QPalette::WindowText, ToQColor(c));
    l->setPalette(pal);
    l->setAutoFillBackground(true);
  };
  paint(IDC_SWATCH_GRID, m_gridColor);
  paint(IDC_SWATCH_LINE, m_lineColor);
  paint(IDC_SWATCH_BK, m_bkColor);
}

bool RunColorSettings(QWidget *pView, CPrompts &prompts, CGraphicsBtn &graph) {
  CDlgColorSet dlg(prompts, pView);
  dlg.SetColors(graph.Colors());
  const bool bOk = dlg.exec() == QDialog::Accepted;
  if (bOk) {
    graph.SetColors(dlg.Colors());
    const QString strError = SaveGraphColors(dlg.Colors());
    if (!strError.isEmpty())
      prompts.MessageBox(pView,
                         QCoreApplication::translate("ColourDialog", "Não foi possível gravar as cores.") +
                             u'\n' + strError,
                         QString::fromLatin1(kGraphCaption), CPrompts::Buttons::Ok, CPrompts::Icon::Warning);
  }
  graph.DrawGraph(graph.Samples());
  if (pView)
    pView->update();
  return bOk;
}
