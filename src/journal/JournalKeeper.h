#pragma once

#include "journal/RunJournal.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <ctime>
#include <functional>
#include <string>

class CMyVomoView;
class CPrompts;
class QWidget;
struct CDataStores;

// Keeps the live store's run in its journal and offers, at start, the runs
// of instances that did not end normally. Follows the view's run events;
// tells the user about a journal that cannot be written through `problem`.
class CJournalKeeper : public QObject {
  Q_OBJECT
public:
  CJournalKeeper(
      std::string strFolder, CMyVomoView &view, CDataStores &stores, CPrompts &prompts,
      std::function<std::time_t()> now = [] { return std::time(nullptr); }, QObject *parent = nullptr);

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
  void Report(const CFileResult &r);
  void End(bool bKeep);

  CRunJournal m_journal;
  std::string m_strFolder;
  CMyVomoView &m_view;
  CDataStores &m_stores;
  CPrompts &m_prompts;
  std::function<std::time_t()> m_now;
  QTimer m_flush; // the once-a-second flush while a run samples
  bool m_bEnded = false;
};
