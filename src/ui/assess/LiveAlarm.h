#pragma once

#include "assess/LiveAssessment.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <functional>
#include <string>

class CAssessSettingsHolder;
class QLabel;
class QMainWindow;
class QTimer;
class QToolBar;
struct CDataStores;

// The live alarm: with a threshold set, while an event of the monitoring
// run is open, a red banner across the main window and the status text
// "Limiar excedido: 87.3 dB desde 14:02:11"; a beep at each event's start
// when asked for; cleared once the release time has passed below the
// threshold, or once no sample has come for that long and two seconds
// more (the run stopped). The live store is looked at every kPollMs (O(1) when nothing
// is new, O(1) per new sample otherwise).
class CLiveAlarm : public QObject {
  Q_OBJECT
public:
  static constexpr int kPollMs = 100;

  CLiveAlarm(QMainWindow &frame, CDataStores &stores, CAssessSettingsHolder &settings,
             std::function<void()> beep = {});

  // Takes in the run's new samples and shows or clears the alarm.
  void Poll();
  bool IsOn() const { return !m_strText.isEmpty(); }
  const QString &Text() const { return m_strText; }
  QLabel *Banner() const { return m_pBanner; }
  int Beeps() const { return m_nBeeps; }

  // Where the run's journal is (empty: none): its settings and events are
  // written beside it (EventJournalPath) so a recovered run keeps them.
  void SetJournalPath(std::function<std::string()> path) { m_journalPath = std::move(path); }
  // Removes the file beside a journal that is gone (the run's samples were
  // let go or saved).
  void ForgetJournalled();

signals:
  // An event opened (its text) or the alarm cleared (empty).
  void alarmChanged(const QString &text);
  // The events could not be written beside the journal; told once per file.
  void problem(const QString &text);

private:
  void Show(const QString &text);
  void Journal();

  QMainWindow &m_frame;
  CDataStores &m_stores;
  CAssessSettingsHolder &m_settings;
  std::function<void()> m_beep;
  CLiveAssessment m_live;
  QToolBar *m_pBar = nullptr;
  QLabel *m_pBanner = nullptr;
  QTimer *m_pTimer = nullptr;
  QString m_strText;
  int m_nBeeps = 0;
  std::size_t m_nSeen = 0;
  std::function<std::string()> m_journalPath;
  std::string m_strSidecar;
  bool m_bSettingsJournalled = false;
  bool m_bJournalBroken = false;
  std::size_t m_nEventsJournalled = 0;
  QElapsedTimer m_sinceSample; // a run that stopped, or a meter gone silent, ends the event
};
