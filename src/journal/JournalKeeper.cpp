#include "journal/JournalKeeper.h"

#include "journal/JournalTexts.h"
#include "journal/OrphanJournals.h"
#include "journal/RecoveredRun.h"
#include "monitor/MyVomoView.h"
#include "records/SampleStore.h"
#include "res/DialogTemplate.h"
#include "uikit/Prompts.h"

CJournalKeeper::CJournalKeeper(std::string strFolder, CMyVomoView &view, CDataStores &stores,
                               CPrompts &prompts, std::function<std::time_t()> now, QObject *parent)
    : QObject(parent), m_journal(strFolder), m_strFolder(std::move(strFolder)), m_view(view),
      m_stores(stores), m_prompts(prompts), m_now(std::move(now)) {
  m_flush.setInterval(static_cast<int>(
      std::chrono::duration_cast<std::chrono::milliseconds>(CRunJournal::kSyncEvery).count()));
  connect(&m_flush, &QTimer::timeout, this, [this] { Report(m_journal.OnTick()); });
  connect(&view, &CMyVomoView::runStarted, this, [this] {
    const bool bWeightA = m_view.MeterState().m_bWeightA;
    Report(m_journal.OnRunStarted(m_view.Stat().dSampleRate, m_now(), bWeightA ? "dBA" : "dBC"));
    m_flush.start();
  });
  connect(&view, &CMyVomoView::sampleTaken, this, [this] {
    if (m_stores.m_live.IsEmpty())
      return;
    const CObjData &r = m_stores.m_live[m_stores.m_live.GetSize() - 1];
    Report(m_journal.OnSample(r.m_dValue, r.m_strTime, r.m_strUnit));
  });
  connect(&view, &CMyVomoView::runStopped, this, [this] {
    m_flush.stop();
    Report(m_journal.OnRunEnded());
  });
  connect(&view, &CMyVomoView::liveCleared, this,
          [this] { Report(m_journal.OnLiveCleared(m_view.Run().Running(), m_now())); });
  connect(&view, &CMyVomoView::liveSaved, this,
          [this] { Report(m_journal.OnLiveSaved(m_view.Run().Running())); });
}

void CJournalKeeper::Report(const CFileResult &r) {
  if (!r.Ok())
    emit problem(
        QString::fromUtf8(kJournalWriteFailed).arg(QString::fromStdString(r.strPath + ": " + r.strReason)));
}

std::size_t CJournalKeeper::OfferRecovery(QWidget *pParent) {
  std::vector<std::string> problems;
  std::vector<COrphanJournal> found = FindOrphanJournals(m_strFolder, problems);
  for (const std::string &p : problems)
    emit problem(QString::fromUtf8(kJournalReadFailed).arg(QString::fromStdString(p)));
  for (COrphanJournal &o : found) {
    switch (DecideOrphan(o.content)) {
    case EOrphanAction::Remove:
      o.file.Remove();
      continue;
    case EOrphanAction::SetAside:
      SetAside(o);
      continue;
    case EOrphanAction::Offer:
      break;
    }
    const int nAnswer =
        m_prompts.MessageBox(pParent, QString::fromStdString(RecoveryQuestion(o.content)),
                             QStringLiteral("Tarvik"), CPrompts::Buttons::YesNo, CPrompts::Icon::Question);
    if (nAnswer != IDYES) {
      o.file.Remove();
      continue;
    }
    LoadRecoveredRun(o.content, m_stores.m_live, m_view.Run().m_stat);
    const std::size_t n = o.content.samples.size();
    Report(m_journal.Adopt(std::move(o)));
    m_view.ShowLiveStore();
    return n; // the others stay for the next start
  }
  return 0;
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
