#include "journal/RunJournal.h"
#include "journal/OrphanJournals.h"
#include "journal/StateFolder.h"

#include "files/TempDir.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// A journal in a fresh state folder on a clock the test moves.
struct JournalRig {
  CTempDir dir;
  CRunJournal::Clock::time_point now{};
  std::string Folder() const { return dir.File("state/tarvik"); }
  CRunJournal Make() {
    return CRunJournal(Folder(), [this] { return now; });
  }
  journal::JournalContent Read(const std::string &path) const { return journal::ParseJournal(Slurp(path)); }
  std::size_t FileCount() const {
    std::size_t n = 0;
    std::error_code ec;
    for (auto it = fs::directory_iterator(Folder(), ec); it != fs::directory_iterator(); ++it)
      ++n;
    return n;
  }
};

} // namespace

TEST(RunJournal, EverySampleIsInTheFileAsSoonAsItIsTaken) {
  JournalRig rig;
  CRunJournal j = rig.Make();
  ASSERT_TRUE(j.OnRunStarted(0.1, 1796607903, "dBA").Ok());
  for (int i = 0; i < 25; ++i) {
    ASSERT_TRUE(j.OnSample(60 + i, "07-12-2026,01:45:03", "dBA").Ok());
    rig.now += 100ms;
    // What a process killed right now would leave: readable by anyone else.
    EXPECT_EQ(rig.Read(j.Path()).samples.size(), static_cast<std::size_t>(i + 1));
  }
  const journal::JournalContent c = rig.Read(j.Path());
  EXPECT_EQ(c.header.dRate, 0.1);
  EXPECT_EQ(c.header.tStart, 1796607903);
  EXPECT_EQ(c.header.strUnit, "dBA");
  EXPECT_EQ(c.header.nPid, ::getpid());
  EXPECT_EQ(c.samples[24].dLevel, 84.0);
}

TEST(RunJournal, StateFolderAndJournalArePrivate) {
  JournalRig rig;
  CRunJournal j = rig.Make();
  ASSERT_TRUE(j.OnRunStarted(1, 0, "dBA").Ok());
  for (const std::string &p : {rig.dir.File("state"), rig.Folder()})
    EXPECT_EQ(fs::status(p).permissions() & fs::perms::all, fs::perms::owner_all) << p;
  EXPECT_EQ(fs::status(j.Path()).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(fs::path(j.Path()).extension(), ".journal");
}

TEST(RunJournal, DefaultStateFolderFollowsXdgStateHomeOnlyWhenAbsolute) {
  const char *oldState = std::getenv("XDG_STATE_HOME");
  const std::string strOld = oldState ? oldState : "";
  ::setenv("XDG_STATE_HOME", "/x/state", 1);
  EXPECT_EQ(DefaultStateFolder(), "/x/state/tarvik");
  ::setenv("XDG_STATE_HOME", "relative/state", 1);
  EXPECT_EQ(DefaultStateFolder(), std::string(std::getenv("HOME")) + "/.local/state/tarvik");
  if (oldState)
    ::setenv("XDG_STATE_HOME", strOld.c_str(), 1);
  else
    ::unsetenv("XDG_STATE_HOME");
  CFileResult r;
  EXPECT_FALSE(CStateFolder::Open("", CStateFolder::Mode::Create, r).IsOpen());
  EXPECT_FALSE(r.Ok());
}

TEST(RunJournal, WhatHappensToTheFileWithTheLiveStore) {
  JournalRig rig;
  CRunJournal j = rig.Make();
  ASSERT_TRUE(j.OnRunStarted(0.5, 100, "dBC").Ok());
  j.OnSample(70, "a", "dBC");
  j.OnSample(71, "b", "dBC");

  // "Apagar os dados" during the run: the journal starts again with the
  // next sample as number 1.
  const std::string path = j.Path();
  ASSERT_TRUE(j.OnLiveCleared(true, 200).Ok());
  j.OnSample(72, "c", "dBC");
  journal::JournalContent c = rig.Read(path);
  EXPECT_EQ(c.header.tStart, 200);
  EXPECT_EQ(c.header.dRate, 0.5);
  ASSERT_EQ(c.samples.size(), 1u);
  EXPECT_EQ(c.samples[0].strTime, "c");
  EXPECT_FALSE(c.Damaged()); // nothing of the longer old content is left behind

  // Saved during the run: later samples are in no file, so it stays.
  ASSERT_TRUE(j.OnLiveSaved(true).Ok());
  EXPECT_TRUE(fs::exists(path));
  ASSERT_TRUE(j.OnRunEnded("").Ok());
  EXPECT_TRUE(fs::exists(path)); // a stopped run keeps its journal
  ASSERT_TRUE(j.OnLiveSaved(false).Ok());
  EXPECT_FALSE(fs::exists(path));
  EXPECT_FALSE(j.HasFile());
  EXPECT_TRUE(j.OnSample(1, "x", "dBA").Ok()); // no run: nothing to write
  EXPECT_EQ(rig.FileCount(), 0u);

  // Cleared while idle, and a normal exit: gone.
  j.OnRunStarted(1, 300, "dBA");
  j.OnSample(60, "d", "dBA");
  j.OnRunEnded("");
  ASSERT_TRUE(j.OnLiveCleared(false, 400).Ok());
  EXPECT_EQ(rig.FileCount(), 0u);
  j.OnRunStarted(1, 500, "dBA");
  j.OnSample(60, "e", "dBA");
  ASSERT_TRUE(j.Discard().Ok());
  EXPECT_EQ(rig.FileCount(), 0u);

  // Ended by a signal: kept, and no longer locked, so the next start finds it.
  j.OnRunStarted(1, 600, "dBA");
  j.OnSample(61, "f", "dBA");
  const std::string kept = j.Path();
  ASSERT_TRUE(j.Keep().Ok());
  std::vector<std::string> problems;
  std::vector<COrphanJournal> found = FindOrphanJournals(rig.Folder(), problems);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].file.Path(), kept);
  EXPECT_EQ(found[0].content.samples.size(), 1u);
}

// Runs in a child process: the file size limit stands in for a full disk.
// Exits 0 when exactly one failure was reported and the file holds whole
// records only.
void FillTheDisk(JournalRig &rig) {
  CRunJournal j = rig.Make();
  if (!j.OnRunStarted(0.1, 0, "dBA").Ok())
    ::_exit(10);
  const auto nHeader = static_cast<rlim_t>(fs::file_size(j.Path()));
  std::signal(SIGXFSZ, SIG_IGN);
  const rlimit lim{nHeader + 100, nHeader + 100}; // room for two records and a half
  ::setrlimit(RLIMIT_FSIZE, &lim);
  int nFailures = 0;
  for (int i = 0; i < 10; ++i)
    nFailures += j.OnSample(60, "07-12-2026,01:45:03", "dBA").Ok() ? 0 : 1;
  const journal::JournalContent c = rig.Read(j.Path());
  ::_exit(nFailures == 1 && c.samples.size() == 2 && !c.Damaged() ? 0 : 20 + nFailures);
}

TEST(RunJournal, AFullDiskIsReportedOnceAndLeavesOnlyWholeRecords) {
  JournalRig rig;
  EXPECT_EXIT(FillTheDisk(rig), ::testing::ExitedWithCode(0), "");
}

namespace {
// A disk that takes as long as the test says to flush.
struct SlowDisk {
  std::mutex mutex;
  std::condition_variable cv;
  bool bReleased = false;
  bool bTimedOut = false;
  int nCalls = 0;
  int nFail = 0; // errno the flushes give, 0 for success
  int Sync(int fd) {
    std::unique_lock lock(mutex);
    ++nCalls;
    cv.notify_all();
    if (!cv.wait_for(lock, 10s, [this] { return bReleased; }))
      bTimedOut = true;
    if (nFail) {
      errno = nFail;
      return -1;
    }
    return ::fdatasync(fd);
  }
  void Release() {
    std::lock_guard lock(mutex);
    bReleased = true;
    cv.notify_all();
  }
  void WaitForCalls(int n) {
    std::unique_lock lock(mutex);
    cv.wait_for(lock, 10s, [&] { return nCalls >= n; });
  }
};
} // namespace

// The once-a-second flush runs beside the caller: a disk that takes its
// time holds up neither the tick nor the samples, and no second flush
// queues behind the first.
TEST(RunJournal, ASlowDiskDoesNotHoldUpTheRun) {
  JournalRig rig;
  SlowDisk disk;
  CRunJournal j(
      rig.Folder(), [&] { return rig.now; }, [&](int fd) { return disk.Sync(fd); });
  ASSERT_TRUE(j.OnRunStarted(0.1, 1796607903, "dBA").Ok());
  ASSERT_TRUE(j.OnSample(61, "07-12-2026,01:45:03", "dBA").Ok());
  ASSERT_TRUE(j.OnTick().Ok()); // returns while the disk is still busy
  disk.WaitForCalls(1);
  for (int i = 0; i < 30; ++i) {
    rig.now += 100ms;
    ASSERT_TRUE(j.OnSample(62, "07-12-2026,01:45:03", "dBA").Ok());
  }
  ASSERT_TRUE(j.OnTick().Ok());
  EXPECT_EQ(rig.Read(j.Path()).samples.size(), 31u);
  disk.Release();
  ASSERT_TRUE(j.OnRunEnded("").Ok()); // waits for the flush going, then flushes the rest
  std::lock_guard lock(disk.mutex);
  EXPECT_EQ(disk.nCalls, 1);
  EXPECT_FALSE(disk.bTimedOut);
}

// A flush that fails off the caller's thread is reported at the next tick,
// once, and ends journalling for the run as a failed write does.
TEST(RunJournal, AFlushThatFailsBesideTheRunIsReportedAtTheNextTick) {
  JournalRig rig;
  SlowDisk disk;
  disk.nFail = EIO;
  disk.Release();
  CRunJournal j(
      rig.Folder(), [&] { return rig.now; }, [&](int fd) { return disk.Sync(fd); });
  ASSERT_TRUE(j.OnRunStarted(0.1, 1796607903, "dBA").Ok());
  ASSERT_TRUE(j.OnSample(61, "07-12-2026,01:45:03", "dBA").Ok());
  ASSERT_TRUE(j.OnTick().Ok());
  disk.WaitForCalls(1);
  CFileResult r = j.OnRunEnded("");
  EXPECT_FALSE(r.Ok());
  EXPECT_NE(r.strReason.find(std::strerror(EIO)), std::string::npos) << r.strReason;
  EXPECT_TRUE(j.OnSample(62, "07-12-2026,01:45:03", "dBA").Ok()); // said once
  EXPECT_TRUE(j.OnTick().Ok());
  EXPECT_EQ(rig.Read(j.Path()).samples.size(), 1u);
}
