#pragma once

#include "assess/AssessSettingsHolder.h"

#include <QObject>
#include <QPointer>

#include <string>

class CAssessDlg;
class CLiveAlarm;
class CPrompts;
class QMainWindow;
struct CDataStores;

// The main window's "Análise" menu: the assessment window on the live run,
// whose settings the live alarm follows.
class CLiveAnalysis : public QObject {
  Q_OBJECT
public:
  CLiveAnalysis(QMainWindow &frame, CDataStores &stores, CPrompts &prompts);
  ~CLiveAnalysis() override;

  void OnAnalysis();
  CAssessDlg *Window() const;
  CAssessSettingsHolder &Settings() { return m_settings; }
  CLiveAlarm &Alarm() { return *m_pAlarm; }
  // A recovered run: the settings journalled beside `strJournalPath` come
  // back, so its periods and events are the ones the run had.
  void RestoreFromJournal(const std::string &strJournalPath);

private:
  QMainWindow &m_frame;
  CDataStores &m_stores;
  CPrompts &m_prompts;
  CAssessSettingsHolder m_settings;
  QPointer<CAssessDlg> m_pWindow;
  CLiveAlarm *m_pAlarm = nullptr; // a child of this
};
