#include "files/UsualTextLine.h"
#include "files/LineEndCount.h"
#include "files/TextDataFile.h"

#include <bit>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>

namespace {

const std::string kHeader = std::string(DATA_FILE_HEADER) + ":0.5;\r\n";

// What became of a file's lines: how many samples and skips, and the last sample.
struct LastLine {
  std::size_t nSamples = 0, nSkipped = 0;
  std::array<std::size_t, kBadLineKinds> skippedBy{};
  std::uint64_t levelBits = 0;
  std::optional<CivilSeconds> seconds;
  std::string time, unit;
  bool operator==(const LastLine &) const = default;
};

LastLine ReadLast(const std::string &bytes) {
  const CTextDataContent c = ParseTextData(bytes);
  LastLine last{c.samples.GetSize(), c.nSkippedLines, c.skippedBy};
  if (const std::size_t n = c.samples.GetSize(); n > 0) {
    last.levelBits = std::bit_cast<std::uint64_t>(c.samples.Level(n - 1));
    last.seconds = c.samples.Seconds(n - 1);
    last.time = c.samples.Time(n - 1);
    last.unit = c.samples.Unit(n - 1);
  }
  return last;
}

// A line read after another of its date (the short way, when it is usual)
// ends as the same line read first in its file (always the general way).
void ExpectReadAlikeAfterItsDate(const std::string &line) {
  const std::string prime =
      line.substr(0, std::min<std::size_t>(line.size(), 10)) + ",00:00:00, 50.00, dBA\r\n";
  const LastLine first = ReadLast(kHeader + prime), alone = ReadLast(kHeader + line + "\r\n");
  LastLine expected = alone.nSamples > 0 ? alone : first;
  expected.nSamples = first.nSamples + alone.nSamples;
  expected.nSkipped = first.nSkipped + alone.nSkipped;
  for (std::size_t k = 0; k < kBadLineKinds; ++k)
    expected.skippedBy[k] = first.skippedBy[k] + alone.skippedBy[k];
  EXPECT_EQ(ReadLast(kHeader + prime + line + "\r\n"), expected) << line;
}

TEST(UsualTextLine, ReadsAlikeTheGeneralWay) {
  for (const std::string line : {"07-12-2026,13:45:03, 65.30, dBA",
                                 "07-12-2026,00:00:00, 0.00, dBC",
                                 "07-12-2026,23:59:59,200.00, dBA",
                                 "07-12-2026,23:59:59,200.01, dBA",
                                 "29-02-2028,09:15:00, 65.3, dBA",
                                 "29-02-2027,09:15:00, 65.30, dBA",
                                 "07-12-2026,24:00:00, 65.30, dBA",
                                 "07-12-2026,12:60:00, 65.30, dBA",
                                 "07-12-2026,12:00:60, 65.30, dBA",
                                 "07-12-2026,12:00:00, 65., dBA",
                                 "07-12-2026,12:00:00, .5, dBA",
                                 "07-12-2026,12:00:00, 1e2, dBA",
                                 "07-12-2026,12:00:00, -0.00, dBA",
                                 "07-12-2026,12:00:00,\t65.30, dBA",
                                 "07-12-2026,12:00:00, 65.30 , dBA",
                                 "07-12-2026,12:00:00, 65.30",
                                 "07-12-2026,12:00:00, 65.30,",
                                 "07-12-2026,12:00:00, 65.3.0, dBA",
                                 "07-12-0026,12:00:00, 65.30, dBA",
                                 "07-12-2026,12:00:00, 0000000000000065.30, dBA",
                                 "07-12-2026,12:00:00, 123.456789012345, dBA",
                                 "07-12-2026,12:00:00, 65.30, dBA\r",
                                 "07-12-2026,12:00:00, 65.30, dBA, x",
                                 "07-12-2026,12:00:00, 65.30,dB",
                                 "7-12-2026,12:00:00, 65.30, dBA",
                                 "07-12-2026,1:00:00, 65.30, dBA",
                                 "07/12/2026,12:00:00, 65.30, dBA"})
    ExpectReadAlikeAfterItsDate(line);

  // any level text of digits, and usual lines with a few bytes changed
  std::mt19937 rng(20261207);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  for (int i = 0; i < 3000; ++i) {
    std::string level = std::to_string(pick(210));
    if (pick(4) > 0)
      for (level += '.'; pick(17) > 0;)
        level += static_cast<char>('0' + pick(10));
    ExpectReadAlikeAfterItsDate("07-12-2026,13:45:03," + std::string(pick(3), ' ') + level + ", dBA");
  }
  static constexpr char kBytes[] = "0123456789-,:. +e\tx\r";
  for (int i = 0; i < 3000; ++i) {
    std::string line = "07-12-2026,13:45:03, 65.30, dBA";
    for (int n = 1 + pick(3); n > 0; --n)
      line[static_cast<std::size_t>(pick(static_cast<int>(line.size())))] = kBytes[pick(sizeof kBytes - 1)];
    ExpectReadAlikeAfterItsDate(line);
  }
}

TEST(UsualTextLine, DatesChangeAndImpossibleOnesStayBadLines) {
  const CTextDataContent c = ParseTextData(kHeader + "07-12-2026,23:59:59, 60.00, dBA\r\n"
                                                     "08-12-2026,00:00:00, 61.00, dBA\r\n"
                                                     "30-02-2026,00:00:01, 62.00, dBA\r\n"
                                                     "08-12-2026,00:00:02, 63.00, dBA\r\n"
                                                     "08-12-2026,00:00:99, 64.00, dBA\r\n"
                                                     "07-12-2026,23:59:58, 65.00, dBA\r\n");
  ASSERT_EQ(c.samples.GetSize(), 4u);
  const CivilSeconds t0 = *c.samples.Seconds(0);
  EXPECT_EQ(*c.samples.Seconds(1) - t0, 1);
  EXPECT_EQ(*c.samples.Seconds(2) - t0, 3);
  EXPECT_EQ(*c.samples.Seconds(3) - t0, -1);
  EXPECT_EQ(c.samples.Time(2), "08-12-2026,00:00:02");
  EXPECT_EQ(c.firstSkippedLines, (std::vector<std::size_t>{4, 6}));
  EXPECT_EQ(c.skippedBy[static_cast<std::size_t>(BadLine::NoSuchTime)], 2u);
}

TEST(LineEndCount, CountsAsByteByByteHoweverTheBytesArePieced) {
  std::mt19937 rng(7);
  for (int i = 0; i < 2000; ++i) {
    std::string bytes(rng() % 300, 'a');
    for (char &c : bytes)
      c = "\r\na"[rng() % 3];
    std::size_t nLines = 0;
    bool bLoneCr = false;
    for (std::size_t k = 0; k < bytes.size(); ++k) {
      const bool bLone = bytes[k] == '\r' && (k + 1 == bytes.size() || bytes[k + 1] != '\n');
      nLines += bytes[k] == '\n' || bLone;
      bLoneCr = bLoneCr || bLone;
    }
    CLineEndCount count;
    for (std::size_t at = 0; at < bytes.size();) {
      const std::size_t n = std::min<std::size_t>(bytes.size() - at, rng() % 100);
      count.Add(std::string_view(bytes).substr(at, n));
      at += n;
    }
    EXPECT_EQ(count.Lines(), nLines) << i;
    EXPECT_EQ(count.AnyLoneCr(), bLoneCr) << i;
  }
}

} // namespace
