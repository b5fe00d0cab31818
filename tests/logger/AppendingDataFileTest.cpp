#include "logger/AppendingDataFile.h"
#include "files/TempDir.h"
#include "files/TextDataFile.h"
#include "logger/AppendingCsv.h"
#include "logger/RollingDataLog.h"
#include "support/FixedTime.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
const std::string kHeader1 = "TX980 Sound Level Meter SamplingRate:1.0;\r\n";
const std::string kLine = "08-12-2026,09:00:00, 65.20, dBA";

std::vector<std::string> ReadBack(const std::string &path, double *pRate = nullptr) {
  CSampleStore store;
  CFileResult res = ReadTextDataFile(path, store);
  EXPECT_TRUE(res.Ok()) << res.strReason;
  EXPECT_TRUE(res.warnings.empty()) << res.warnings.front();
  std::vector<std::string> v;
  for (std::size_t i = 0; i < store.GetSize(); ++i) {
    std::string s;
    AppendTextDataLine(s, store[i]);
    v.push_back(s);
    if (pRate)
      *pRate = store[i].m_dSampleRate;
  }
  return v;
}
} // namespace

TEST(AppendingDataFile, NewFileHasTheHeaderAndCrLfLines) {
  CTempDir dir;
  CAppendingDataFile f;
  ASSERT_TRUE(f.Open(dir.File("a.txt"), 0.5).Ok());
  ASSERT_TRUE(f.AppendLine(kLine));
  ASSERT_TRUE(f.Close());
  EXPECT_EQ(Slurp(dir.File("a.txt")), "TX980 Sound Level Meter SamplingRate:0.5;\r\n" + kLine + "\r\n");
}

TEST(AppendingDataFile, SameRateAppendsOtherRateOrForeignFileTakesASuffix) {
  CTempDir dir;
  Spit(dir.File("d.txt"), kHeader1 + kLine + "\r\n");
  Spit(dir.File("e.txt"), "TX980 Sound Level Meter SamplingRate:0.5;\r\n" + kLine + "\r\n");
  Spit(dir.File("e-1.txt"), "shopping list\r\n");
  Spit(dir.File("noext"), "TX980 Sound Level Meter SamplingRate:2.0;\r\n");
  CAppendingDataFile f;
  ASSERT_TRUE(f.Open(dir.File("d.txt"), 1.0).Ok());
  EXPECT_EQ(f.Path(), dir.File("d.txt"));
  ASSERT_TRUE(f.AppendLine(kLine));
  f.Close();
  EXPECT_EQ(ReadBack(dir.File("d.txt")).size(), 2u);

  auto res = f.Open(dir.File("e.txt"), 1.0);
  ASSERT_TRUE(res.Ok());
  EXPECT_EQ(res.strPath, dir.File("e-2.txt"));
  f.Close();
  EXPECT_EQ(Slurp(dir.File("e-1.txt")), "shopping list\r\n");
  EXPECT_EQ(Slurp(dir.File("e.txt")), "TX980 Sound Level Meter SamplingRate:0.5;\r\n" + kLine + "\r\n");

  EXPECT_EQ(f.Open(dir.File("noext"), 1.0).strPath, dir.File("noext-1"));
  EXPECT_EQ(CAppendingDataFile::SuffixedName("/a.b/c", 3), "/a.b/c-3");
  EXPECT_EQ(CAppendingDataFile::SuffixedName("x/.hidden", 1), "x/.hidden-1");
}

TEST(AppendingDataFile, WhatACrashLeftAtTheEndIsMendedBeforeAppending) {
  CTempDir dir;
  struct Case {
    std::string before;
    std::string after; // the file once a line has been appended
  } cases[] = {
      // A line cut mid-way is removed; a whole one without its line end is ended.
      {kHeader1 + kLine + "\r\n08-12-2026,09:00:01, 6", kHeader1 + kLine + "\r\n" + kLine + "\r\n"},
      {kHeader1 + kLine, kHeader1 + kLine + "\r\n" + kLine + "\r\n"},
      {kHeader1 + kLine + "\r", kHeader1 + kLine + "\r\n" + kLine + "\r\n"},
      // Blank lines would hide what follows them from the reader.
      {kHeader1 + kLine + "\r\n\r\n\n", kHeader1 + kLine + "\r\n" + kLine + "\r\n"},
      {kHeader1 + "\r\n", kHeader1 + kLine + "\r\n"},
      // A header cut short, or an empty file, starts afresh.
      {"TX980 Sound Level", kHeader1 + kLine + "\r\n"},
      {"", kHeader1 + kLine + "\r\n"},
  };
  int n = 0;
  for (const Case &c : cases) {
    std::string path = dir.File("c" + std::to_string(n++) + ".txt");
    Spit(path, c.before);
    CAppendingDataFile f;
    auto res = f.Open(path, 1.0);
    ASSERT_TRUE(res.Ok()) << res.strReason;
    EXPECT_EQ(res.strPath, path);
    ASSERT_TRUE(f.AppendLine(kLine));
    f.Close();
    EXPECT_EQ(Slurp(path), c.after) << n;
  }
}

TEST(AppendingDataFile, ASecondWriterOfTheSameNameGetsItsOwnFile) {
  CTempDir dir;
  CAppendingDataFile a, b;
  ASSERT_TRUE(a.Open(dir.File("m.txt"), 1.0).Ok());
  auto res = b.Open(dir.File("m.txt"), 1.0);
  ASSERT_TRUE(res.Ok());
  EXPECT_EQ(res.strPath, dir.File("m-1.txt"));
}

TEST(AppendingDataFile, UnwritableOutputSaysWhy) {
  CTempDir dir;
  CAppendingDataFile f;
  auto res = f.Open(dir.File("new/folder/x.txt"), 1.0); // folders are made
  EXPECT_TRUE(res.Ok()) << res.strReason;
  f.Close();
  Spit(dir.File("plain"), "");
  res = f.Open(dir.File("plain/x.txt"), 1.0);
  EXPECT_FALSE(res.Ok());
  EXPECT_NE(res.strReason.find("Not a directory"), std::string::npos) << res.strReason;
  if (::geteuid() != 0) {
    std::filesystem::permissions(dir.Path(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    res = f.Open(dir.File("x.txt"), 1.0);
    EXPECT_FALSE(res.Ok());
    EXPECT_NE(res.strReason.find("Permission denied"), std::string::npos) << res.strReason;
  }
}

// A disk that fills up mid-line: the half line is cut back off, so the
// file stays readable and the next line, once there is room, is whole.
TEST(AppendingDataFile, AFullDiskLeavesNoHalfLine) {
  CTempDir dir;
  std::string path = dir.File("full.txt");
  pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    CAppendingDataFile f;
    if (!f.Open(path, 1.0).Ok())
      ::_exit(10);
    rlimit lim{static_cast<rlim_t>(kHeader1.size() + 2 * (kLine.size() + 2) + 10), RLIM_INFINITY};
    ::setrlimit(RLIMIT_FSIZE, &lim);
    int nOk = 0;
    for (int i = 0; i < 5; ++i)
      nOk += f.AppendLine(kLine);
    if (nOk != 2 || f.LastError().strReason.empty())
      ::_exit(11);
    lim.rlim_cur = RLIM_INFINITY;
    ::setrlimit(RLIMIT_FSIZE, &lim);
    ::_exit(f.AppendLine(kLine) && f.Close() ? 0 : 12);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadBack(path).size(), 3u);
}

TEST(AppendingDataFile, DataWaitAtMostASecondForTheDisk) {
  CTempDir dir;
  CAppendingDataFile f;
  ASSERT_TRUE(f.Open(dir.File("s.txt"), 1.0).Ok());
  auto t0 = CAppendingDataFile::Clock::now();
  ASSERT_TRUE(f.SyncDeadline()); // the header
  f.SyncIfDue(t0 + std::chrono::seconds(2));
  EXPECT_EQ(f.Syncs(), 1u);
  EXPECT_FALSE(f.SyncDeadline());
  ASSERT_TRUE(f.AppendLine(kLine));
  auto due = f.SyncDeadline();
  ASSERT_TRUE(due);
  EXPECT_LE(*due - CAppendingDataFile::Clock::now(), CAppendingDataFile::kSyncEvery);
  f.SyncIfDue(*due - std::chrono::milliseconds(1));
  EXPECT_EQ(f.Syncs(), 1u);
  f.SyncIfDue(*due);
  EXPECT_EQ(f.Syncs(), 2u);
}

TEST(RollingDataLog, MidnightBeginsTheNextFileAndTheSameDayGoesOn) {
  CTempDir dir;
  CRollingDataLog log(dir.File("t-%Y-%m-%d.txt"), 1.0);
  std::tm before = FixedLocalTime(2026, 12, 7, 23, 59, 59);
  std::tm after = FixedLocalTime(2026, 12, 8, 0, 0, 0);
  ASSERT_TRUE(log.OpenFor(before).Ok());
  ASSERT_TRUE(log.Append(CObjData(60.0, "07-12-2026,23:59:59", "dBA", 0, 1.0), before));
  ASSERT_TRUE(log.Append(CObjData(61.0, "08-12-2026,00:00:00", "dBA", 0, 1.0), after));
  ASSERT_TRUE(
      log.Append(CObjData(62.0, "08-12-2026,00:00:01", "dBA", 0, 1.0), FixedLocalTime(2026, 12, 8, 0, 0, 1)));
  EXPECT_EQ(log.FilesOpened(), 2);
  log.File().Close();
  EXPECT_EQ(ReadBack(dir.File("t-2026-12-07.txt")),
            std::vector<std::string>{"07-12-2026,23:59:59, 60.00, dBA"});
  EXPECT_EQ(ReadBack(dir.File("t-2026-12-08.txt")).size(), 2u);

  CRollingDataLog none("", 1.0);
  EXPECT_FALSE(none.OpenFor(before).Ok());
}

TEST(RollingDataLog, AFileMovedAwayMidRunIsBegunAgain) {
  CTempDir dir;
  CRollingDataLog log(dir.File("m.txt"), 1.0);
  ASSERT_TRUE(log.Append(CObjData(60.0, "08-12-2026,10:00:00", "dBA", 0, 1.0),
                         FixedLocalTime(2026, 12, 8, 10, 0, 0)));
  std::filesystem::rename(dir.File("m.txt"), dir.File("moved.txt"));
  ASSERT_TRUE(log.Append(CObjData(61.0, "08-12-2026,10:00:01", "dBA", 0, 1.0),
                         FixedLocalTime(2026, 12, 8, 10, 0, 1)));
  log.File().Close();
  EXPECT_EQ(ReadBack(dir.File("moved.txt")).size(), 1u);
  EXPECT_EQ(ReadBack(dir.File("m.txt")), std::vector<std::string>{"08-12-2026,10:00:01, 61.00, dBA"});
}

// The periods and events files: a header in a new file, a line cut short by
// a crash removed, a file of other columns left alone.
TEST(AppendingCsv, HeaderOnceCutLinesRemovedOtherFilesLeftAlone) {
  CTempDir dir;
  struct {
    std::string before, after;
    bool bOk;
  } cases[] = {
      {"", "a,b\r\n1,2\r\n", true},
      {"a,b\r\n5,6\r\n", "a,b\r\n5,6\r\n1,2\r\n", true},
      {"a,b\r\n5,6\r\n7,", "a,b\r\n5,6\r\n1,2\r\n", true},
      {"a,", "a,b\r\n1,2\r\n", true},
      {"x,y\r\n5,6\r\n", "x,y\r\n5,6\r\n", false},
  };
  for (const auto &c : cases) {
    const std::string path = dir.File("day-periods.csv");
    Spit(path, c.before);
    const CFileResult res = AppendCsvLine(path, "a,b", "1,2\r\n");
    EXPECT_EQ(res.Ok(), c.bOk) << c.before;
    EXPECT_EQ(Slurp(path), c.after) << c.before;
  }
  EXPECT_EQ(CompanionCsvPath("/v/day-2026-12-08.txt", "events"), "/v/day-2026-12-08-events.csv");
  EXPECT_EQ(CompanionCsvPath("/v.d/day", "periods"), "/v.d/day-periods.csv");
}
