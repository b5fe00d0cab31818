#include "journal/JournalKeeper.h"

#include "forms/DialogTemplate.h"
#include "journal/JournalTexts.h"
#include "journal/OrphanJournals.h"
#include "journal/RecoveredRun.h"
#include "kit/Prompts.h"
#include "kit/TrStd.h"
#include "monitor/MeterStatus.h"
#include "records/SampleStore.h"
#include "session/MeterSession.h"

CJournalKeeper::CJournalKeeper(std::string strFolder, CMeterSession &session, CDataStores &stores,
                               CPrompts &prompts, std::function<void()> showRecovered,
                               std::function<std::time_t()> now, QObject *parent)
    : QObject(parent), m_journal(strFolder), m_strFolder(std::move(strFolder)), m_session(session),
      m_showRecovered(std::move(showRecovered)), m_stores(stores), m_prompts(prompts), m_now(std::move(now)) {
  m_flush.setInterval(static_cast<int>(
      std::chrono::duration_cast<std::chrono::milliseconds>(CRunJournal::kSyncEvery).count()));
  connect(&m_flush, &QTimer::timeout, this, [this] { Report(m_journal.OnTick()); });
  m_session.AddObserver(*this);
}

CJournalKeeper::~CJournalKeeper() {
  m_session.RemoveObserver(*this);
}

void CJournalKeeper::OnRunStarted(const SRunStart &start) {
  // A run that keeps no samples leaves the live store, and its journal, alone.
  m_bGuarding = start.options.bKeepSamples;
  if (!m_bGuarding)
    return;
  Report(m_journal.OnRunStarted(start.dRate, m_now(), start.bWeightA ? "dBA" : "dBC"));
  m_flush.start();
}

void CJournalKeeper::OnSampleTaken(const SSample &sample) {
  if (m_bGuarding)
    Report(
        m_journal.OnSample(sample.rec.m_dValue, sample.rec.m_strTime, sample.rec.m_strUnit, sample.nMissed));
}

void CJournalKeeper::OnRunEnded(ERunEnd end) {
  if (!m_bGuarding)
    return;
  m_bGuarding = false;
  m_flush.stop();
  Report(m_journal.OnRunEnded(RunEndText(end)));
}

void CJournalKeeper::OnLiveCleared() {
  Report(m_journal.OnLiveCleared(m_session.Running(), m_now()));
}

void CJournalKeeper::OnLiveSaved() {
  Report(m_journal.OnLiveSaved(m_session.Running()));
}

void CJournalKeeper::Report(const CFileResult &r) {
  if (!r.Ok())
    emit problem(Tr(kJournalWriteFailed).arg(QString::fromStdString(r.strPath + ": " + r.strReason)));
}

std::size_t CJournalKeeper::OfferRecovery(QWidget *pParent) {
  std::vector<std::string> problems;
  std::vector<COrphanJournal> found = FindOrphanJournals(m_strFolder, problems);
  for (const std::string &p : problems)
    emit problem(Tr(kJournalReadFailed).arg(QString::fromStdString(p)));
  for (COrphanJournal &o : found) {
    switch (DecideOrphan(o.content)) {
    case EOrphanAction::Remove:
      o.file.Remove();
      continue;
    case EOrphanAction::SetAside:
      TellSetAside(pParent, o);
      continue;
    case EOrphanAction::Offer:
      break;
    }
    const int nAnswer = m_prompts.MessageBox(
        pParent, QString::fromStdString(RecoveryQuestion(o.content, TrStd)), QStringLiteral("Tarvik"),
        CPrompts::Buttons::RecoverDiscardCancel, CPrompts::Icon::Question);
    if (nAnswer == CPrompts::IDDISCARD) {
      o.file.Remove();
      continue;
    }
    if (nAnswer != IDYES)
      continue; // kept: offered again at the next start
    LoadRecoveredRun(o.content, m_stores.m_live, m_session.LiveStat());
    const std::size_t n = o.content.samples.size();
    Report(m_journal.Adopt(std::move(o)));
    if (m_showRecovered)
      m_showRecovered();
    return n; // the others stay for the next start
  }
  return 0;
}

void CJournalKeeper::TellSetAside(QWidget *pParent, COrphanJournal &orphan) {
  const std::string strFault = orphan.strFault;
  const CFileResult r = SetAside(orphan);
  if (!r.Ok()) {
    emit problem(Tr(kJournalReadFailed).arg(QString::fromStdString(r.strPath + ": " + r.strReason)));
    return;
  }
  // Once: renamed, it is not found again at the next start.
  m_prompts.MessageBox(pParent, Tr(kJournalSetAside).arg(QString::fromStdString(r.strPath + ": " + strFault)),
                       QStringLiteral("Tarvik"), CPrompts::Buttons::Ok, CPrompts::Icon::Warning);
}

void CJournalKeeper::EndKeeping() {
  End(true);
}

void CJournalKeeper::EndDiscarding() {
  End(false);
}

void CJournalKeeper::End(bool bKeep) {
  if (m_bEnded)
    return;
  m_bEnded = true;
  m_flush.stop();
  if (bKeep)
    m_journal.Keep();
  else
    m_journal.Discard();
}
