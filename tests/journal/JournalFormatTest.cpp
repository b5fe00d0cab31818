#include "journal/JournalFormat.h"

#include <gtest/gtest.h>

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
  EXPECT_EQ(c.nIntactBytes, bytes.size());
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
    EXPECT_EQ(c.nIntactBytes, ends[4]) << n;
  }
  // Cut exactly at a record's end: nothing lost.
  const JournalContent c = ParseJournal(std::string_view(bytes).substr(0, ends[3]));
  EXPECT_EQ(c.samples.size(), 3u);
  EXPECT_FALSE(c.Damaged());
}

TEST(JournalFormat, DamageInTheMiddleCountsEverySampleFromThereOn) {
  std::vector<std::size_t> ends;
  std::string bytes = MakeJournal(100, &ends);
  bytes[ends[40] + 12] ^= 0x40; // a flipped bit in sample 40
  JournalContent c = ParseJournal(bytes);
  EXPECT_EQ(c.samples.size(), 40u);
  EXPECT_EQ(c.nLost, 60u);

  // A block of zeros over samples 50..59 (a lost disk block), then a torn end.
  bytes = MakeJournal(100, &ends);
  std::fill(bytes.begin() + static_cast<long>(ends[50]), bytes.begin() + static_cast<long>(ends[60]), '\0');
  bytes.resize(ends[100] - 3);
  c = ParseJournal(bytes);
  EXPECT_EQ(c.samples.size(), 50u);
  EXPECT_EQ(c.nLost, 50u);

  // Only zeros behind the intact part (a file extended but never written):
  // rated by the size of the intact records.
  bytes = MakeJournal(10, &ends);
  const std::size_t nRecord = ends[10] - ends[9];
  bytes.append(nRecord * 3, '\0');
  c = ParseJournal(bytes);
  EXPECT_EQ(c.samples.size(), 10u);
  EXPECT_EQ(c.nLost, 3u);
}

TEST(JournalFormat, AFrameOutOfSequenceEndsTheIntactPart) {
  std::string bytes;
  AppendHeader(bytes, {1, 0, "dBA", 1});
  AppendSample(bytes, 0, 50, "t", "dBA");
  AppendSample(bytes, 2, 51, "t", "dBA"); // number 1 is missing
  const JournalContent c = ParseJournal(bytes);
  EXPECT_EQ(c.samples.size(), 1u);
  EXPECT_EQ(c.nLost, 2u);
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
