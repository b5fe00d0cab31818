#include "journal/JournalFormat.h"
#include "journal/RecoveredRun.h"
#include "records/SampleStore.h"
#include "records/StatData.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace journal;

namespace {

std::string MakeJournal(int nSamples, std::vector<std::size_t> *pEnds = nullptr) {
  std::string bytes;
  AppendHeader(bytes, {0.1, 1796607903, "dBA", 4242});
  if (pEnds)
    pEnds->push_back(bytes.size());
  for (int i = 0; i < nSamples; ++i) {
    AppendSample(bytes, static_cast<std::uint32_t>(i), 60.0 + i * 0.1, "07-12-2026,01:45:03",
                 i % 2 ? "dBC" : "dBA");
    if (pEnds)
      pEnds->push_back(bytes.size());
  }
  return bytes;
}

} // namespace

TEST(JournalFormat, Crc32MatchesTheStandardCheckValue) {
  EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u);
}

TEST(JournalFormat, RoundTripKeepsHeaderAndEverySampleExactly) {
  std::string bytes;
  AppendHeader(bytes, {2.5, -5, "dBC", 77});
  AppendSample(bytes, 0, 0.1 + 0.2, "01-01-1970,00:59:55", "dBC");
  AppendSample(bytes, 1, 130.0, "31-12-2026,23:59:59", "dBA");
  const JournalContent c = ParseJournal(bytes);
  ASSERT_TRUE(c.bHeader);
  EXPECT_EQ(c.header.dRate, 2.5);
  EXPECT_EQ(c.header.tStart, -5);
  EXPECT_EQ(c.header.strUnit, "dBC");
  EXPECT_EQ(c.header.nPid, 77);
  ASSERT_EQ(c.samples.size(), 2u);
  EXPECT_EQ(c.samples[0].dLevel, 0.1 + 0.2); // bit for bit
  EXPECT_EQ(c.samples[1].strTime, "31-12-2026,23:59:59");
  EXPECT_EQ(c.samples[1].strUnit, "dBA");
  EXPECT_FALSE(c.Damaged());
  EXPECT_TRUE(c.bClean);
}

TEST(JournalFormat, NotAJournalOrDamagedHeaderGivesNoHeader) {
  EXPECT_FALSE(ParseJournal("").bHeader);
  EXPECT_FALSE(ParseJournal("Data File\n").bHeader);
  std::string bytes = MakeJournal(3);
  bytes[14] ^= 0x01; // inside the header frame
  const JournalContent c = ParseJournal(bytes);
  EXPECT_FALSE(c.bHeader);
  EXPECT_TRUE(c.samples.empty());
}

TEST(JournalFormat, TornLastRecordAtEveryCutKeepsTheRecordsBeforeIt) {
  std::vector<std::size_t> ends;
  const std::string bytes = MakeJournal(5, &ends);
  // Every length between the end of sample 3 and the end of sample 4.
  for (std::size_t n = ends[4] + 1; n < ends[5]; ++n) {
    const JournalContent c = ParseJournal(std::string_view(bytes).substr(0, n));
    ASSERT_TRUE(c.bHeader) << n;
    EXPECT_EQ(c.samples.size(), 4u) << n;
    EXPECT_EQ(c.nLost, 1u) << n;
    EXPECT_FALSE(c.bClean) << n;
  }
  // Cut exactly at a record's end: nothing lost.
  const JournalContent c = ParseJournal(std::string_view(bytes).substr(0, ends[3]));
  EXPECT_EQ(c.samples.size(), 3u);
  EXPECT_FALSE(c.Damaged());
}

// Each damaged record costs its own sample and no other: the frames behind
// it are found again by their length and CRC.
TEST(JournalFormat, DamageCostsOnlyTheSamplesItHit) {
  struct Case {
    const char *what;
    int nSamples;
    std::function<void(std::string &, const std::vector<std::size_t> &)> damage;
    std::size_t nRecovered, nLost;
    int nLast; // the number of the last sample recovered
  };
  const Case cases[] = {
      {"one flipped byte in sample 25", 64, [](std::string &b, auto &e) { b[e[25] + 12] ^= 0x40; }, 63, 1,
       63},
      {"a bad length field in sample 10", 50, [](std::string &b, auto &e) { b[e[10]] = 0x7F; }, 49, 1, 49},
      {"a length field pointing past the end", 50, [](std::string &b, auto &e) { b[e[10] + 3] = 0x40; }, 49,
       1, 49},
      {"zeros over samples 50..59 and a torn end", 100,
       [](std::string &b, auto &e) {
         std::fill(b.begin() + static_cast<long>(e[50]), b.begin() + static_cast<long>(e[60]), '\0');
         b.resize(e[100] - 3);
       },
       89, 11, 98},
      {"zeros behind the intact part, rated by record size", 10,
       [](std::string &b, auto &e) { b.append((e[10] - e[9]) * 3, '\0'); }, 10, 3, 9},
      {"garbage between two records", 20, [](std::string &b, auto &e) { b.insert(e[7], "\x01\x02garbage"); },
       20, 0, 19},
  };
  for (const Case &k : cases) {
    std::vector<std::size_t> ends;
    std::string bytes = MakeJournal(k.nSamples, &ends);
    k.damage(bytes, ends);
    const JournalContent c = ParseJournal(bytes);
    ASSERT_EQ(c.samples.size(), k.nRecovered) << k.what;
    EXPECT_EQ(c.nLost, k.nLost) << k.what;
    EXPECT_FALSE(c.bClean) << k.what;
    EXPECT_EQ(c.samples.back().dLevel, 60.0 + k.nLast * 0.1) << k.what;
  }
}

TEST(JournalFormat, AGapInTheNumbersCountsTheMissingSamples) {
  std::string bytes;
  AppendHeader(bytes, {1, 0, "dBA", 1});
  for (std::uint32_t i = 0; i < 50; ++i)
    AppendSample(bytes, i, 50, "t", "dBA");
  for (std::uint32_t i = 100; i < 130; ++i) // 50..99 are missing
    AppendSample(bytes, i, 70, "t", "dBA");
  AppendSample(bytes, 120, 99, "t", "dBA"); // a repeated number: not a sample of its own
  const JournalContent c = ParseJournal(bytes);
  ASSERT_EQ(c.samples.size(), 80u);
  EXPECT_EQ(c.samples[50].dLevel, 70);
  EXPECT_EQ(c.samples.back().dLevel, 70);
  EXPECT_EQ(c.nLost, 50u);
}

// Samples a frozen window made the run miss are a gap, not damage: nothing
// counts as lost, and the recovered run starts a new group after it.
TEST(JournalFormat, AGapRecordSplitsTheRecoveredRunWithoutCountingDamage) {
  std::string bytes;
  AppendHeader(bytes, {0.2, 0, "dBA", 1});
  AppendSample(bytes, 0, 50, "t0", "dBA");
  AppendGap(bytes, 12);
  AppendSample(bytes, 1, 60, "t1", "dBA");
  AppendSample(bytes, 2, 70, "t2", "dBA");
  const JournalContent c = ParseJournal(bytes);
  ASSERT_EQ(c.samples.size(), 3u);
  EXPECT_TRUE(c.bClean);
  EXPECT_EQ(c.nLost, 0u);
  EXPECT_EQ(c.nMissed, 12u);
  CSampleStore live;
  StatData stat;
  LoadRecoveredRun(c, live, stat);
  EXPECT_EQ(live[0].m_nGroup, 0);
  EXPECT_EQ(live[1].m_nGroup, 1);
  EXPECT_EQ(live[2].m_nGroup, 1);
}

TEST(JournalFormat, OverlongTextsAreCutNotOverflowed) {
  std::string bytes;
  AppendHeader(bytes, {1, 0, std::string(300, 'u'), 1});
  AppendSample(bytes, 0, 50, std::string(300, 't'), "dBA");
  const JournalContent c = ParseJournal(bytes);
  ASSERT_EQ(c.samples.size(), 1u);
  EXPECT_EQ(c.header.strUnit.size(), kMaxText);
  EXPECT_EQ(c.samples[0].strTime.size(), kMaxText);
}

TEST(JournalFormat, TheRunsEndIsKeptAndJournalsWithoutItStillRead) {
  std::string bytes = MakeJournal(3);
  JournalContent c = ParseJournal(bytes); // as journals were written before the end was kept
  EXPECT_FALSE(c.bEnded);
  EXPECT_TRUE(c.bClean);
  AppendRunEnd(bytes, "Medição parada: o medidor deixou de enviar dados");
  c = ParseJournal(bytes);
  EXPECT_TRUE(c.bEnded);
  EXPECT_EQ(c.strEndReason, "Medição parada: o medidor deixou de enviar dados");
  EXPECT_EQ(c.samples.size(), 3u);
  EXPECT_TRUE(c.bClean);
  EXPECT_FALSE(c.Damaged());
}
