#pragma once

#include "journal/RunJournal.h"
#include "session/SessionObserver.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <ctime>
#include <functional>
#include <string>

class CMeterSession;
class CPrompts;
struct COrphanJournal;
class QWidget;
struct CDataStores;

// Keeps the live store's run in its journal and offers, at start, the runs
// of instances that did not end normally. Observes the session's runs;
// tells the user about a journal that cannot be written through `problem`.
class CJournalKeeper : public QObject, private ISessionObserver {
  Q_OBJECT
public:
  // `showRecovered` puts a recovered run, loaded into the live store, on show.
  CJournalKeeper(
      std::string strFolder, CMeterSession &session, CDataStores &stores, CPrompts &prompts,
      std::function<void()> showRecovered,
      std::function<std::time_t()> now = [] { return std::time(nullptr); }, QObject *parent = nullptr);
  ~CJournalKeeper() override;

  // The live store was saved to a file.
  void OnLiveSaved();

  // One question per journal left behind, newest run first, until one is
  // taken: Sim loads it into the live store as a stopped run and keeps
  // guarding it; Não deletes it. Returns the number of samples loaded.
  std::size_t OfferRecovery(QWidget *pParent);

  // The program ends by a signal or a logout: the journal is flushed and
  // left for the next start.
  void EndKeeping();
  // The program ends normally: the user has let the samples go.
  void EndDiscarding();

  CRunJournal &Journal() { return m_journal; }

signals:
  void problem(const QString &text);

private:
  void OnRunStarted(const SRunStart &start) override;
  void OnSampleTaken(const SSample &sample) override;
  void OnRunEnded(ERunEnd) override;
  void OnLiveCleared() override;
  void Report(const CFileResult &r);
  void TellSetAside(QWidget *pParent, COrphanJournal &orphan);
  void End(bool bKeep);

  CRunJournal m_journal;
  std::string m_strFolder;
  CMeterSession &m_session;
  std::function<void()> m_showRecovered;
  bool m_bGuarding = false; // a run that keeps its samples in the live store is going
  CDataStores &m_stores;
  CPrompts &m_prompts;
  std::function<std::time_t()> m_now;
  QTimer m_flush; // the once-a-second flush while a run samples
  bool m_bEnded = false;
};
