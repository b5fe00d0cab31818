#pragma once

#include <QRect>

#include <array>

class CDialogBuilder;
class CGraphicsBtn;
class CPrompts;
class CSampleStore;
class CSampleTableModel;
class QTableView;
class QWidget;

// What the monitoring form shows of the live store: the graph with its
// read-outs and scroll bars, or the table in its place.
class CLivePane {
public:
  CLivePane(QWidget &form, const CDialogBuilder &b, CPrompts &prompts, const CSampleStore &live);

  CGraphicsBtn &Graph() { return *m_pGraph; }
  bool IsShowingTable() const { return m_bShowTable; }
  void ShowTable();
  void ShowGraph();
  // Graph, table and scroll bars fill `form` below the cursor frame.
  void Layout(const QRect &form, const QRect &cursorBox);
  void SetColumnWidths();

  void Redraw();
  // A run appended a sample: a shown table scrolls to it, the graph follows.
  void SampleAppended();
  // The store was emptied or replaced whole.
  void StoreReset(bool bResetScale);
  // The graph follows a run's newest samples while it lasts.
  void SetLive(bool bLive);

private:
  std::array<QWidget *, 3> GraphWidgets() const; // the graph and its scroll bars

  QWidget &m_form;
  const CSampleStore &m_live;
  CGraphicsBtn *m_pGraph = nullptr;
  QTableView *m_pList = nullptr;
  CSampleTableModel *m_pModel = nullptr;
  bool m_bShowTable = false;
};
