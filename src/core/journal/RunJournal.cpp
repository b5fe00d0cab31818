#include "journal/RunJournal.h"

#include "journal/OrphanJournals.h"
#include "journal/StateFolder.h"

#include <unistd.h>

CRunJournal::CRunJournal(std::string strFolder, Now now, CBackgroundSync::SyncFn sync)
    : m_strFolder(std::move(strFolder)), m_now(std::move(now)), m_syncFn(std::move(sync)) {}

CFileResult CRunJournal::Begin(const journal::RunHeader &header) {
  if (m_pSync) { // what a flush of the last run says is not this run's
    m_pSync->Wait();
    m_pSync->TakeResult();
  }
  m_header = header;
  m_nSeq = 0;
  m_bDirty = false;
  m_bBroken = false;
  std::string bytes;
  journal::AppendHeader(bytes, header);
  CFileResult r;
  if (m_file.IsOpen()) {
    r = m_file.Rewrite(bytes);
    if (r.Ok())
      r = m_file.Sync();
  } else {
    const CStateFolder folder = CStateFolder::Open(m_strFolder, CStateFolder::Mode::Create, r);
    if (r.Ok())
      m_file = CJournalFile::Create(folder, bytes, r);
  }
  m_lastSync = m_now();
  return r.Ok() ? r : Broken(r);
}

CFileResult CRunJournal::OnRunStarted(double dRate, std::time_t tStart, std::string_view unit) {
  return Begin({dRate, static_cast<std::int64_t>(tStart), std::string(unit), ::getpid()});
}

CFileResult CRunJournal::OnSample(double dLevel, std::string_view time, std::string_view unit,
                                  std::size_t nMissed) {
  if (m_bBroken || !m_file.IsOpen())
    return CFileResult::Success(m_file.Path());
  m_frame.clear();
  if (nMissed > 0)
    journal::AppendGap(m_frame, static_cast<std::uint32_t>(nMissed));
  journal::AppendSample(m_frame, m_nSeq, dLevel, time, unit);
  CFileResult r = m_file.Append(m_frame);
  if (!r.Ok())
    return Broken(r);
  ++m_nSeq;
  m_bDirty = true;
  if (m_now() - m_lastSync >= kSyncEvery)
    return Flush();
  return r;
}

CFileResult CRunJournal::BackgroundResult() {
  std::optional<CFileResult> r;
  if (m_pSync)
    r = m_pSync->TakeResult();
  return r ? *r : CFileResult::Success(m_file.Path());
}

CFileResult CRunJournal::Flush() {
  if (m_bBroken || !m_file.IsOpen())
    return CFileResult::Success(m_file.Path());
  if (CFileResult r = BackgroundResult(); !r.Ok())
    return Broken(r);
  if (!m_bDirty)
    return CFileResult::Success(m_file.Path());
  if (!m_pSync)
    m_pSync = std::make_unique<CBackgroundSync>(m_syncFn);
  // a flush still going leaves this one for the next sample or tick
  if (m_pSync->Start(m_file.Descriptor(), m_file.Path())) {
    m_lastSync = m_now();
    m_bDirty = false;
  }
  return CFileResult::Success(m_file.Path());
}

CFileResult CRunJournal::FlushNow() {
  if (m_bBroken || !m_file.IsOpen())
    return CFileResult::Success(m_file.Path());
  if (m_pSync)
    m_pSync->Wait();
  if (CFileResult r = BackgroundResult(); !r.Ok())
    return Broken(r);
  if (!m_bDirty)
    return CFileResult::Success(m_file.Path());
  CFileResult r = m_file.Sync();
  m_lastSync = m_now();
  m_bDirty = false;
  return r.Ok() ? r : Broken(r);
}

CFileResult CRunJournal::OnTick() {
  return Flush();
}

CFileResult CRunJournal::OnRunEnded(std::string_view reason) {
  if (!m_bBroken && m_file.IsOpen()) {
    m_frame.clear();
    journal::AppendRunEnd(m_frame, reason);
    if (CFileResult r = m_file.Append(m_frame); !r.Ok())
      return Broken(r);
    m_bDirty = true;
  }
  return FlushNow();
}

CFileResult CRunJournal::Broken(CFileResult r) {
  m_bBroken = true;
  return r;
}

CFileResult CRunJournal::OnLiveCleared(bool bRunning, std::time_t tNow) {
  if (bRunning)
    return Begin({m_header.dRate, static_cast<std::int64_t>(tNow), m_header.strUnit, ::getpid()});
  return Discard();
}

CFileResult CRunJournal::OnLiveSaved(bool bRunning) {
  if (bRunning)
    return CFileResult::Success(m_file.Path());
  return Discard();
}

CFileResult CRunJournal::Adopt(COrphanJournal &&orphan) {
  const journal::JournalContent &content = orphan.content;
  m_header = content.header;
  m_nSeq = static_cast<std::uint32_t>(content.samples.size());
  m_bBroken = false;
  m_bDirty = false;
  m_lastSync = m_now();
  if (content.bClean) {
    m_file = std::move(orphan.file);
    return CFileResult::Success(m_file.Path());
  }
  // A damaged journal's intact records go into a clean one, so a second
  // crash offers them without the damage; the old one goes once the copy
  // is on the disk, and guards them meanwhile.
  std::string bytes;
  journal::AppendHeader(bytes, m_header);
  for (std::uint32_t i = 0; i < m_nSeq; ++i)
    journal::AppendSample(bytes, i, content.samples[i].dLevel, content.samples[i].strTime,
                          content.samples[i].strUnit);
  if (content.bEnded)
    journal::AppendRunEnd(bytes, content.strEndReason);
  CFileResult r;
  CJournalFile fresh = CJournalFile::Create(orphan.folder, bytes, r);
  if (!r.Ok()) {
    m_file = std::move(orphan.file);
    return r;
  }
  const CFileResult removed = orphan.file.Remove();
  m_file = std::move(fresh);
  return removed.Ok() ? r : removed;
}

CFileResult CRunJournal::Keep() {
  CFileResult r = FlushNow();
  m_file.Close();
  return r;
}

CFileResult CRunJournal::Discard() {
  m_bDirty = false;
  m_nSeq = 0;
  if (!m_file.IsOpen())
    return CFileResult::Success({});
  return m_file.Remove();
}
