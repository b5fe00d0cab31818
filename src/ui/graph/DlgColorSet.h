#pragma once

#include "graph/ColorConfig.h"

#include <QDialog>

class CGraphicsBtn;
class CPrompts;

// The colour dialog: one swatch and one "..." button for each of the grid,
// curve and background colours. The chooser always opens on black.
class CDlgColorSet : public QDialog {
public:
  explicit CDlgColorSet(CPrompts &prompts, QWidget *parent = nullptr);

  void SetColors(const GraphColors &c);
  GraphColors Colors() const { return {m_bkColor, m_gridColor, m_lineColor}; }

private:
  void Choose(GraphColor &color);
  void PaintSwatches();

  CPrompts &m_prompts;
  GraphColor m_lineColor = kDefaultLineColor;
  GraphColor m_bkColor = kDefaultBkColor;
  GraphColor m_gridColor = kDefaultGridColor;
};

// Command 32817 "Configuração da cor": runs the dialog on the graph's
// colours; after OK the graph takes them and they are written to the
// settings file (a failed write is reported). The graph is redrawn and
// pView repainted in every case. Returns whether the user pressed OK.
bool RunColorSettings(QWidget *pView, CPrompts &prompts, CGraphicsBtn &graph);
