#include "FileSizeLimit.h"
#include "TempDir.h"
#include "files/SpreadsheetFile.h"
#include "files/TextDataFile.h"
#include "files/WorkbookFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

CSampleStore &Samples(CSampleStore &s, int n) {
  for (int i = 0; i < n; ++i)
    s.Emplace(60.0 + i % 10, "07-12-2026,01:45:03", "dBA", 0, 1);
  return s;
}

bool OnlyFileIn(const CTempDir &dir, const std::string &name) {
  int n = 0;
  for (const auto &e : std::filesystem::directory_iterator(dir.Path())) {
    ++n;
    if (e.path().filename() != name)
      return false;
  }
  return n == 1;
}

TEST(AtomicWrite, FailureHalfWayKeepsTheOldFileAndSaysWhy) {
  CTempDir dir;
  const std::string path = dir.File("keep.txt");
  Spit(path, "old contents\r\n");
  CSampleStore s;
  Samples(s, 200000); // ~6 MB, far past the limit
  CFileResult r;
  CFileResult x;
  {
    CFileSizeLimit limit(1 << 20);
    r = WriteTextDataFile(path, s);
    x = WriteSpreadsheetFile(path, s, StatData{}, SheetVariant::MainWindow);
  }
  EXPECT_EQ(r.status, CFileResult::Status::Failed);
  EXPECT_EQ(r.strPath, path);
  EXPECT_NE(r.strReason.find("too large"), std::string::npos) << r.strReason;
  EXPECT_EQ(x.status, CFileResult::Status::Failed);
  EXPECT_EQ(Slurp(path), "old contents\r\n");
  EXPECT_TRUE(OnlyFileIn(dir, "keep.txt")); // no half-written file left beside it
}

TEST(AtomicWrite, ReadOnlyFolderIsReportedAndLeftAlone) {
  CTempDir dir;
  const std::string path = dir.File("ro.txt");
  const std::string locked = dir.File("locked.txt");
  Spit(path, "old\r\n");
  ::chmod(path.c_str(), 0666); // only the folder stands in the way
  Spit(locked, "locked\r\n");
  ::chmod(locked.c_str(), 0444);
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(dir.Path().c_str(), 65534, 65534), 0); // the child may then unlock the folder
  }
  ::chmod(dir.Path().c_str(), 0555);
  // Root ignores folder permissions: write as an ordinary user in a child.
  pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
      ::_exit(3);
    CSampleStore s;
    CFileResult r = WriteTextDataFile(path, Samples(s, 3));
    bool bGood = r.status == CFileResult::Status::Failed && r.strPath == path &&
                 r.strReason.find("Permission denied") != std::string::npos;
    // A read-only file in a folder one may write to is not replaced either.
    ::chmod(dir.Path().c_str(), 0755);
    CFileResult l = WriteTextDataFile(locked, s);
    bGood = bGood && l.status == CFileResult::Status::Failed && l.strReason == "Permission denied";
    ::_exit(bGood ? 0 : 1);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  ::chmod(dir.Path().c_str(), 0755);
  EXPECT_EQ(Slurp(path), "old\r\n");
  EXPECT_EQ(Slurp(locked), "locked\r\n");
  std::filesystem::remove(locked);
  EXPECT_TRUE(OnlyFileIn(dir, "ro.txt"));
}

TEST(AtomicWrite, ReplacesTheTargetKeepingItsPermissionsAndLinks) {
  CTempDir dir;
  const std::string path = dir.File("data.txt");
  Spit(path, std::string(100000, 'x'));
  ::chmod(path.c_str(), 0640);
  std::filesystem::create_symlink(path, dir.File("link.txt"));
  CSampleStore s;
  ASSERT_TRUE(WriteTextDataFile(dir.File("link.txt"), Samples(s, 1)).Ok());
  EXPECT_EQ(Slurp(path), "TX980 Sound Level Meter SamplingRate:1.0;\r\n07-12-2026,01:45:03, 60.00, dBA\r\n");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.txt")));
  struct stat st {};
  ::stat(path.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  // Neither a missing folder nor a folder as the name is written.
  EXPECT_EQ(WriteTextDataFile(dir.File("no/such/x.txt"), s).status, CFileResult::Status::Failed);
  EXPECT_EQ(WriteTextDataFile(dir.Path().string(), s).status, CFileResult::Status::Failed);
}

TEST(AtomicWrite, CancelledWriteLeavesTheOldFile) {
  CTempDir dir;
  const std::string path = dir.File("c.xls");
  Spit(path, "old");
  CSampleStore s;
  auto cancel = [](std::size_t nDone, std::size_t) { return nDone < 10000; };
  EXPECT_EQ(
      WriteSpreadsheetFile(path, Samples(s, 50000), StatData{}, SheetVariant::DataLogger, cancel).status,
      CFileResult::Status::Cancelled);
  EXPECT_EQ(WriteTextDataFile(path, s, cancel).status, CFileResult::Status::Cancelled);
  EXPECT_EQ(WriteWorkbookFile(path, s, StatData{}, cancel).status, CFileResult::Status::Cancelled);
  EXPECT_EQ(Slurp(path), "old");
  EXPECT_TRUE(OnlyFileIn(dir, "c.xls"));
}

} // namespace
