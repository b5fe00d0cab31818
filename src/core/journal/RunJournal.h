#pragma once

#include "files/FileResult.h"
#include "journal/BackgroundSync.h"
#include "journal/JournalFile.h"
#include "journal/JournalFormat.h"

#include <chrono>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unistd.h>

struct COrphanJournal;

// The journal of the live store's monitoring run: every sample is written
// as it is taken, and reaches the disk within a second (fdatasync, on a
// thread of its own so a slow disk never stalls the window) and at the
// run's end, so a crash, a kill or a power cut loses at most the last
// second. The journal lives as long as the live store holds samples that
// are nowhere else: it goes when they are saved while no run is going, when
// the store is emptied, and at a normal exit. A write that fails (a full
// disk) is reported once and ends journalling for that run, leaving what
// was written.
class CRunJournal {
public:
  using Clock = std::chrono::steady_clock;
  using Now = std::function<Clock::time_point()>;
  static constexpr Clock::duration kSyncEvery = std::chrono::seconds(1);

  explicit CRunJournal(std::string strFolder, Now now = &Clock::now,
                       CBackgroundSync::SyncFn sync = &::fdatasync);

  // A run begins on an empty live store.
  CFileResult OnRunStarted(double dRate, std::time_t tStart, std::string_view unit);
  // A sample was taken by the run.
  // `nMissed`: samples the run missed just before this one, kept as a gap.
  CFileResult OnSample(double dLevel, std::string_view time, std::string_view unit, std::size_t nMissed = 0);
  // Call once a second: starts flushing what was written since the last
  // flush, and reports a flush that failed since the last call.
  CFileResult OnTick();
  // The run ended, for `reason` (the text the user was shown, or empty).
  CFileResult OnRunEnded(std::string_view reason);
  // The live store was emptied; a run that goes on starts its journal
  // again at `tNow`, as its next sample is number 1.
  CFileResult OnLiveCleared(bool bRunning, std::time_t tNow);
  // The live store was written to a data file. Samples a run still takes
  // after that are not in the file, so the journal stays while it runs.
  CFileResult OnLiveSaved(bool bRunning);
  // The recovered samples now fill the live store: their journal guards
  // them from here on, cut to its intact part.
  CFileResult Adopt(COrphanJournal &&orphan);

  // Program end by a signal or a logout: flushed and left for recovery.
  CFileResult Keep();
  // Normal program end: the user has chosen to leave the samples.
  CFileResult Discard();

  bool HasFile() const { return m_file.IsOpen(); }
  const std::string &Path() const { return m_file.Path(); }
  std::size_t SamplesWritten() const { return m_nSeq; }

private:
  CFileResult Begin(const journal::RunHeader &header);
  // Starts a flush in the background; reports one that ended in failure.
  CFileResult Flush();
  // Flushes now, after any flush still going.
  CFileResult FlushNow();
  // What the last background flush gave, once; success when none ended.
  CFileResult BackgroundResult();
  CFileResult Broken(CFileResult r);

  std::string m_strFolder;
  Now m_now;
  CJournalFile m_file;
  journal::RunHeader m_header;
  std::string m_frame; // reused for every sample
  std::uint32_t m_nSeq = 0;
  bool m_bDirty = false;
  bool m_bBroken = false; // a write failed; nothing more this run
  Clock::time_point m_lastSync{};
  CBackgroundSync::SyncFn m_syncFn;
  std::unique_ptr<CBackgroundSync> m_pSync; // made at the first flush
};
