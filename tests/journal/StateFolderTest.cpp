#include "journal/StateFolder.h"
#include "journal/OrphanJournals.h"
#include "journal/RunJournal.h"

#include "files/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr uid_t kOtherUser = 4321;

fs::perms Mode(const std::string &path) {
  return fs::symlink_status(path).permissions() & fs::perms::all;
}

std::string KeptJournal(const std::string &folder, int nSamples) {
  CRunJournal j(folder);
  j.OnRunStarted(1, 100, "dBA");
  for (int i = 0; i < nSamples; ++i)
    j.OnSample(50 + i, "07-12-2026,01:45:03", "dBA");
  const std::string path = j.Path();
  j.Keep();
  return path;
}

} // namespace

// What stands where the state folder should be decides whether a run's
// journal is written there.
TEST(StateFolder, APlantedLinkOrAForeignFolderIsRefusedAnOpenOneMadePrivate) {
  struct Case {
    const char *what;
    std::function<void(const std::string &folder, const std::string &elsewhere)> plant;
    bool bRefused;
    const char *reason;
  };
  const Case cases[] = {
      {"a symlink to a world-writable folder",
       [](const std::string &folder, const std::string &elsewhere) {
         fs::create_directory_symlink(elsewhere, folder);
       },
       true, "symbolic link"},
      {"a folder of another user",
       [](const std::string &folder, const std::string &) {
         fs::create_directory(folder);
         ASSERT_EQ(::chown(folder.c_str(), kOtherUser, kOtherUser), 0);
       },
       true, "owned by another user"},
      {"a file", [](const std::string &folder, const std::string &) { Spit(folder, "x"); }, true,
       "Not a directory"},
      {"a folder open to everyone",
       [](const std::string &folder, const std::string &) {
         fs::create_directory(folder);
         fs::permissions(folder, fs::perms::all);
       },
       false, ""},
  };
  for (const Case &k : cases) {
    CTempDir dir;
    const std::string elsewhere = dir.File("public");
    fs::create_directory(elsewhere);
    fs::permissions(elsewhere, fs::perms::all);
    const std::string folder = dir.File("tarvik");
    k.plant(folder, elsewhere);

    CRunJournal j(folder);
    const CFileResult r = j.OnRunStarted(1, 100, "dBA");
    EXPECT_EQ(r.Ok(), !k.bRefused) << k.what;
    EXPECT_NE(r.strReason.find(k.reason), std::string::npos) << k.what << ": " << r.strReason;
    EXPECT_TRUE(fs::is_empty(elsewhere)) << k.what; // nothing went through a link
    if (!k.bRefused) {
      EXPECT_EQ(Mode(folder), fs::perms::owner_all) << k.what;
      EXPECT_EQ(Mode(j.Path()), fs::perms::owner_read | fs::perms::owner_write) << k.what;
    }
    std::vector<std::string> problems;
    EXPECT_TRUE(FindOrphanJournals(folder, problems).empty()) << k.what;
    EXPECT_EQ(problems.size(), k.bRefused ? 1u : 0u) << k.what;
    j.Discard();
  }
}

// A journal is read only when it is a private file of ours: a world-open
// one is made private and offered, the others are set aside unread.
TEST(StateFolder, JournalsAreCheckedForOwnerModeAndLinks) {
  CTempDir dir;
  const std::string folder = dir.File("tarvik");
  const std::string open = KeptJournal(folder, 3);
  fs::permissions(open, fs::perms::all);
  const std::string foreign = KeptJournal(folder, 4);
  ASSERT_EQ(::chown(foreign.c_str(), kOtherUser, kOtherUser), 0);
  const std::string outside = KeptJournal(dir.File("elsewhere"), 5);
  fs::create_symlink(outside, folder + "/run-1-0.journal");
  ASSERT_EQ(::mkfifo((folder + "/run-1-1.journal").c_str(), 0600), 0);

  std::vector<std::string> problems;
  std::vector<COrphanJournal> found = FindOrphanJournals(folder, problems);
  EXPECT_TRUE(problems.empty());
  ASSERT_EQ(found.size(), 4u);
  std::size_t nOffered = 0;
  for (COrphanJournal &o : found) {
    if (DecideOrphan(o.content) == EOrphanAction::Offer) {
      ++nOffered;
      EXPECT_EQ(o.file.Path(), open);
      EXPECT_EQ(o.content.samples.size(), 3u);
      EXPECT_TRUE(o.strFault.empty());
      continue;
    }
    EXPECT_EQ(DecideOrphan(o.content), EOrphanAction::SetAside) << o.strName;
    EXPECT_FALSE(o.strFault.empty()) << o.strName;
    EXPECT_TRUE(SetAside(o).Ok()) << o.strName;
  }
  EXPECT_EQ(nOffered, 1u);
  EXPECT_EQ(Mode(open), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_TRUE(fs::is_symlink(folder + "/run-1-0.journal.damaged")); // the link moved, not its target
  EXPECT_EQ(journal::ParseJournal(Slurp(outside)).samples.size(), 5u);
  EXPECT_TRUE(fs::exists(foreign + ".damaged"));
}

TEST(StateFolder, UnreadableJournalsAreToldTheirFaultAndOnlyTheNewestFewKept) {
  CTempDir dir;
  const std::string folder = dir.File("tarvik");
  KeptJournal(folder, 0); // makes the folder
  std::string header = Slurp(KeptJournal(folder, 2));
  header[12] ^= 0x01;
  struct Case {
    std::string bytes;
    const char *fault;
  } cases[] = {{"", "empty (0 bytes)"},
               {"Data File\n", "not a journal of this program"},
               {header, "its header is damaged"},
               {"", "empty (0 bytes)"},
               {"TRVK", "not a journal of this program"}};
  int n = 0;
  for (const Case &k : cases) {
    std::vector<std::string> problems;
    for (COrphanJournal &o : FindOrphanJournals(folder, problems))
      o.file.Remove(); // what the earlier runs left
    const std::string name = "run-9-" + std::to_string(n++) + ".journal";
    Spit(folder + "/" + name, k.bytes);
    std::vector<COrphanJournal> found = FindOrphanJournals(folder, problems);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].strFault, k.fault);
    const CFileResult r = SetAside(found[0]);
    EXPECT_EQ(r.strPath, folder + "/" + name + ".damaged");
  }
  std::vector<std::string> aside;
  for (const auto &e : fs::directory_iterator(folder))
    aside.push_back(e.path().filename().string());
  std::sort(aside.begin(), aside.end());
  EXPECT_EQ(aside, (std::vector<std::string>{"run-9-2.journal.damaged", "run-9-3.journal.damaged",
                                             "run-9-4.journal.damaged"}));
}
