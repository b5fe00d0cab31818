#pragma once

#include "assess/LiveAssessment.h"
#include "assess/ReportLayout.h"
#include "records/SampleArray.h"

#include <QDialog>

class CAssessSettingsHolder;
class CGraphHost;
class CGraphicsBtn;
class CPrompts;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTimer;

// The source named in the window and the report: recording `nGroup` of DATALOGGER.
QString RecordingSource(int nGroup);

// The "Análise" window: periods, events and the summary of a set of
// samples (the live run, or the recording chosen in DATALOGGER), with the
// settings that make them, a graph with the threshold and the events, and
// the exports. A live window follows the run as samples arrive.
class CAssessDlg : public QDialog {
  Q_OBJECT
public:
  // `holder`: the live run's settings, which the window edits (null for a
  // recording: the window keeps its own). `strSource` names the data.
  CAssessDlg(CPrompts &prompts, const CSampleArray &samples, bool bLive, QString strSource,
             CAssessSettingsHolder *holder = nullptr, QWidget *parent = nullptr);

  // Another set of samples (DATALOGGER's selection changed).
  void SetSamples(const CSampleArray &samples, QString strSource);
  // Takes in what is new and redraws; the live window's timer calls it.
  void Refresh();
  // The settings as the controls show them.
  AssessSettings SettingsFromControls() const;
  void SetControls(const AssessSettings &s, bool bBeep);

  // Puts cursors A and B on event `nRow` of the "Eventos" tab.
  void SelectEvent(int nRow);
  void OnExportPeriods();
  void OnExportEvents();
  void OnExportWorkbook();
  // "Imprimir relatório", with the particulars the user typed.
  void OnPrintReport();
  ReportInfo ReportInfoFromControls() const;
  void SetReportInfo(const ReportInfo &info);

  const SeriesAssessment &Current() const { return m_current; }
  // The whole-series figures (with L10, L50, L90), as exports and the report take them.
  SeriesAssessment Complete() const;
  const CSampleArray &Samples() const { return m_samples; }
  const QString &Source() const { return m_strSource; }
  CGraphicsBtn *Graph() const { return m_pGraph; }
  QTabWidget *Tabs() const { return m_pTabs; }
  QTableWidget *PeriodsTable() const { return m_pPeriods; }
  QTableWidget *EventsTable() const { return m_pEvents; }
  QTableWidget *SummaryTable() const { return m_pSummary; }

private:
  QWidget *BuildSettings();
  QWidget *BuildReadouts();
  QWidget *BuildReportInfo();
  void OnSettingsEdited();
  void ExportCsv(bool bPeriods);
  void ShowFailure(const std::string &strPath, const std::string &strReason);

  CPrompts &m_prompts;
  CSampleArray m_samples;
  bool m_bLive;
  QString m_strSource;
  CAssessSettingsHolder *m_pHolder;
  CLiveAssessment m_live;
  SeriesAssessment m_current;
  std::size_t m_nClosedPeriodsShown = 0;
  bool m_bSettingControls = false;

  QComboBox *m_pPeriod = nullptr;
  QCheckBox *m_pUseThreshold = nullptr;
  QDoubleSpinBox *m_pThreshold = nullptr;
  QDoubleSpinBox *m_pMinDuration = nullptr;
  QDoubleSpinBox *m_pRelease = nullptr;
  QCheckBox *m_pUseExposure = nullptr;
  QDoubleSpinBox *m_pExposure = nullptr;
  QCheckBox *m_pBeep = nullptr;
  CGraphicsBtn *m_pGraph = nullptr;
  CGraphHost *m_pHost = nullptr;
  QTabWidget *m_pTabs = nullptr;
  QTableWidget *m_pPeriods = nullptr;
  QTableWidget *m_pEvents = nullptr;
  QTableWidget *m_pSummary = nullptr;
  QTimer *m_pTimer = nullptr;
  QLineEdit *m_pTitle = nullptr, *m_pPlace = nullptr, *m_pOperator = nullptr, *m_pNotes = nullptr;
};
