#pragma once

#include "datalog/DataFileCommands.h"
#include "datalog/RecordingSelection.h"
#include "kit/DialogBuilder.h"
#include "records/SampleArray.h"
#include "records/SampleStore.h"
#include "records/StatData.h"

#include <QDialog>
#include <QPointer>

#include <map>
#include <vector>

class CAssessDlg;
class CGraphHost;
class CGraphicsBtn;
class CPrompts;
class QAction;
class QComboBox;
class QMenuBar;
class QScrollArea;
class QStatusBar;
class QTreeWidget;

// The data logger window "DATALOGGER": the recordings of the data-logger
// store in a list, the chosen one as statistics and graph. The main window
// owns one object and creates its window anew after each open or download;
// closing the window empties the store.
class CDataLogDlg : public QDialog {
  Q_OBJECT
public:
  CDataLogDlg(CDataStores &stores, CPrompts &prompts, LocalClock clock = LocalTimeNow);
  ~CDataLogDlg() override;

  // (Re)creates the controls and runs the initialisation: a fresh list from
  // the store, an empty selection, an empty graph and empty read-outs. The
  // statistics block and the cursor A index keep their values.
  void Create();
  void FillRecordingList();

  // A click in the list at `pos` (viewport coordinates).
  void OnListClick(const QPoint &pos);
  // Selects the recording of list row `nRow`, as a click on it does.
  void SelectRow(int nRow);

  // Must run before anyone empties or refills the data-logger store while
  // the window exists: the selection points into that store.
  void ClearSelectionBeforeStoreChange();

  void OnImport();
  void OnExport();
  void OnSaveSelection();
  void OnPrintGraph();
  void OnPrintTable();
  // "Análise": the assessment window on the chosen recording, which follows the choice.
  void OnAnalysis();
  CAssessDlg *Analysis() const;

  const CSampleSelection &Selection() const { return m_selection; }
  const StatData &Stat() const { return m_stat; }
  // Cursor A's index as the graph last reported it; kept across re-creation.
  int CursorA() const;
  CGraphicsBtn *Graph() const { return m_pGraph; }
  QAction *Action(int nId) const;
  QTreeWidget *List() const;
  QScrollArea *ScrollArea() const { return m_pScroll; }

  // Sizes and places the window within `available` (the screen less its
  // panels): the template's size where it fits, smaller otherwise, with the
  // controls reachable by scrolling or by making the window larger.
  void FitTo(const QRect &available);
  // Places the controls for a body at most `nWidth` pixels wide (see
  // ArrangeDataLog): the list as wide as its columns, the blocks that do
  // not fit beside the graph under it.
  void ArrangeFor(int nWidth);

protected:
  void closeEvent(QCloseEvent *e) override;
  void keyPressEvent(QKeyEvent *e) override;
  bool eventFilter(QObject *obj, QEvent *e) override;
  bool event(QEvent *e) override;

private:
  void BuildMenu();
  void ApplyColours();
  void ShowRate(double dSampleRate, bool bAny);
  void SetDefaultView();
  void DrawGraph();
  void ClearGraphCursors();

  CDataStores &m_stores;
  CPrompts &m_prompts;
  CDataFileCommands m_files;

  StatData m_stat;
  CSampleSelection m_selection;
  int m_nCursorA = -1;

  QMenuBar *m_pMenuBar = nullptr;
  QScrollArea *m_pScroll = nullptr; // holds the body, scrolls it on a small screen
  QStatusBar *m_pStatusBar = nullptr;
  QWidget *m_pBody = nullptr; // every control of the template
  QTreeWidget *m_pList = nullptr;
  CGraphicsBtn *m_pGraph = nullptr; // m_graph
  CGraphHost *m_pHost = nullptr;    // read-outs, cursors and scroll bars
  DlgBaseUnits m_units;
  std::map<int, QAction *> m_actions;
  QPointer<CAssessDlg> m_pAssess;
  int m_nSelectedGroup = 0;
};
