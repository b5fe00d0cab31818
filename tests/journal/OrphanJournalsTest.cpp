#include "journal/OrphanJournals.h"
#include "journal/RunJournal.h"

#include "files/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

void WriteRun(CRunJournal &j, std::time_t tStart, int nSamples) {
  j.OnRunStarted(0.1, tStart, "dBA");
  for (int i = 0; i < nSamples; ++i)
    j.OnSample(50 + i, "07-12-2026,01:45:0" + std::to_string(i % 10), "dBA");
}

} // namespace

TEST(OrphanJournals, ALiveInstancesJournalIsNotOffered) {
  CTempDir dir;
  const std::string folder = dir.File("tarvik");
  CRunJournal live(folder), dead(folder);
  WriteRun(live, 100, 3);
  WriteRun(dead, 200, 5);
  dead.Keep(); // as if its process had ended: the lock is gone

  std::vector<std::string> problems;
  std::vector<COrphanJournal> found = FindOrphanJournals(folder, problems);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].content.samples.size(), 5u);
  EXPECT_TRUE(problems.empty());

  // While one instance holds an orphan (asking its user), a third does
  // not offer it as well.
  EXPECT_TRUE(FindOrphanJournals(folder, problems).empty());
  found.clear();
  EXPECT_EQ(FindOrphanJournals(folder, problems).size(), 1u);
}

TEST(OrphanJournals, NewestRunFirstAndLeftoversOfAHalfCreationSwept) {
  CTempDir dir;
  const std::string folder = dir.File("tarvik");
  for (std::time_t t : {300, 100, 200}) {
    CRunJournal j(folder);
    WriteRun(j, t, 1);
    j.Keep();
  }
  Spit(folder + "/.new-99999-0", "half");
  Spit(folder + "/notes.txt", "not ours");
  std::vector<std::string> problems;
  std::vector<COrphanJournal> found = FindOrphanJournals(folder, problems);
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found[0].content.header.tStart, 300);
  EXPECT_EQ(found[2].content.header.tStart, 100);
  EXPECT_FALSE(fs::exists(folder + "/.new-99999-0"));
  EXPECT_TRUE(fs::exists(folder + "/notes.txt"));
}

TEST(OrphanJournals, WhatIsOfferedRemovedOrSetAside) {
  CTempDir dir;
  const std::string folder = dir.File("tarvik");
  {
    CRunJournal empty(folder);
    WriteRun(empty, 100, 0);
    empty.Keep();
  }
  Spit(folder + "/run-1-0.journal", "garbage that is no journal");
  std::vector<std::string> problems;
  std::vector<COrphanJournal> found = FindOrphanJournals(folder, problems);
  ASSERT_EQ(found.size(), 2u);
  for (COrphanJournal &o : found) {
    if (o.content.bHeader) {
      EXPECT_EQ(DecideOrphan(o.content), EOrphanAction::Remove);
    } else {
      EXPECT_EQ(DecideOrphan(o.content), EOrphanAction::SetAside);
      EXPECT_TRUE(SetAside(o).Ok());
    }
  }
  EXPECT_TRUE(fs::exists(folder + "/run-1-0.journal.damaged"));
  found.clear();
  EXPECT_EQ(FindOrphanJournals(folder, problems).size(), 1u); // the set-aside file is not scanned again
}

TEST(OrphanJournals, AdoptedDamagedJournalIsReplacedByACleanCopyOfItsIntactRecords) {
  CTempDir dir;
  const std::string folder = dir.File("tarvik");
  std::string path;
  {
    CRunJournal j(folder);
    WriteRun(j, 100, 6);
    path = j.Path();
    j.Keep();
  }
  std::string bytes = Slurp(path);
  bytes[bytes.size() - 100] ^= 0x10; // inside sample 3
  bytes.resize(bytes.size() - 5);    // and a torn last record
  Spit(path, bytes);

  std::vector<std::string> problems;
  std::vector<COrphanJournal> found = FindOrphanJournals(folder, problems);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].content.samples.size(), 4u);
  EXPECT_EQ(found[0].content.nLost, 2u);
  EXPECT_EQ(RecoveryQuestion(found[0].content), "Recuperar a medição interrompida?\n4 amostras, início "
                                                "07-12-2026,01:45:00\nO diário estava danificado: 2 amostras "
                                                "perdidas.");
  CRunJournal again(folder);
  ASSERT_TRUE(again.Adopt(std::move(found[0])).Ok());
  EXPECT_FALSE(fs::exists(path));
  const journal::JournalContent c = journal::ParseJournal(Slurp(again.Path()));
  ASSERT_EQ(c.samples.size(), 4u);
  EXPECT_EQ(c.samples[3].dLevel, 54);
  EXPECT_TRUE(c.bClean);
  // Held by its new owner: nobody else offers it.
  EXPECT_TRUE(FindOrphanJournals(folder, problems).empty());
}
