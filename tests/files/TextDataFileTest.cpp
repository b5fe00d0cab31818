#include "files/TextDataFile.h"
#include "TempDir.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <locale>

namespace {

std::string Write(const CSampleStore &store) {
  CStringSink sink;
  EXPECT_TRUE(WriteTextData(sink, store));
  return sink.m_str;
}

CTextDataContent Parse(const std::string &bytes) {
  return ParseTextData(bytes);
}

TEST(TextDataWrite, HeaderCarriesTheFirstRateWithOneDecimal) {
  EXPECT_EQ(TextDataHeader(1), "TX980 Sound Level Meter SamplingRate:1.0;");
  EXPECT_EQ(TextDataHeader(1).size(), 41u);
  EXPECT_EQ(TextDataHeader(0.5), "TX980 Sound Level Meter SamplingRate:0.5;");
  EXPECT_EQ(TextDataHeader(10), "TX980 Sound Level Meter SamplingRate:10.0;");
  EXPECT_EQ(TextDataHeader(0.26), "TX980 Sound Level Meter SamplingRate:0.3;");
  // printf rounds the exact binary value: 0.25 is a true tie and goes to even.
  EXPECT_EQ(TextDataHeader(0.25), "TX980 Sound Level Meter SamplingRate:0.2;");
}

TEST(TextDataWrite, LinesAreByteExactWithCrLfAfterEveryLine) {
  CSampleStore s;
  s.Emplace(65.3, "07-12-2026,01:45:03", "dBA", 0, 0.5);
  s.Emplace(9.5, "07-12-2026,01:45:04", "dBC", 0, 2.0); // only the first rate counts
  s.Emplace(120, "07-12-2026,1:45:05", "dBA", 3, 2.0);
  s.Emplace(-3.256, "x", "dBA", 0, 2.0);
  EXPECT_EQ(Write(s), "TX980 Sound Level Meter SamplingRate:0.5;\r\n"
                      "07-12-2026,01:45:03, 65.30, dBA\r\n"
                      "07-12-2026,01:45:04,  9.50, dBC\r\n"
                      "07-12-2026,1:45:05, 120.00, dBA\r\n"
                      "x, -3.26, dBA\r\n");
}

// A decimal comma for C++ streams; the C library's own needs an installed
// locale, which is used as well where one is there.
struct CommaPoint : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
};

TEST(TextDataWrite, DecimalPointIgnoresTheLocale) {
  const std::string savedC = std::setlocale(LC_NUMERIC, nullptr);
  const std::locale savedCxx = std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
  bool bCLocale = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "pt_PT.UTF-8");
  CSampleStore s;
  s.Emplace(65.3, "d,t", "dBA", 0, 0.5);
  std::string bytes = Write(s);
  CTextDataContent c = Parse(bytes);
  std::setlocale(LC_NUMERIC, savedC.c_str());
  std::locale::global(savedCxx);
  EXPECT_EQ(bytes, "TX980 Sound Level Meter SamplingRate:0.5;\r\nd,t, 65.30, dBA\r\n");
  ASSERT_EQ(c.samples.GetSize(), 1u);
  EXPECT_DOUBLE_EQ(c.samples[0].m_dValue, 65.3);
  EXPECT_DOUBLE_EQ(c.dSampleRate, 0.5);
  if (!bCLocale)
    std::printf("note: no C locale with a decimal comma installed; checked the C++ one only\n");
}

TEST(TextDataWrite, EmptyArrayWritesNothing) {
  CSampleStore s;
  CStringSink sink;
  EXPECT_TRUE(WriteTextData(sink, s));
  EXPECT_TRUE(sink.m_str.empty());
}

TEST(TextDataRead, SampleLineWithAndWithoutCr) {
  for (const char *end : {"\r\n", "\n", ""}) {
    CTextDataContent c = Parse(std::string("TX980 Sound Level Meter SamplingRate:1.0;\r\n") +
                               "07-12-2026,01:45:03, 65.30, dBA" + end);
    ASSERT_TRUE(c.result.Ok()) << end;
    ASSERT_EQ(c.samples.GetSize(), 1u);
    const CObjData r = c.samples[0];
    EXPECT_DOUBLE_EQ(r.m_dValue, 65.3);
    EXPECT_EQ(r.m_strTime, "07-12-2026,01:45:03");
    EXPECT_EQ(r.m_strUnit, "dBA");
    EXPECT_EQ(r.m_nGroup, 0);
    EXPECT_DOUBLE_EQ(r.m_dSampleRate, 1.0);
  }
}

TEST(TextDataRead, HeaderCheckIsTheFirst36CharactersCaseSensitive) {
  EXPECT_TRUE(Parse("TX980 Sound Level Meter SamplingRate and more\r\n").result.Ok());
  EXPECT_EQ(Parse("TX980 SOUND Level Meter SamplingRate:1.0;\r\n").result.status,
            CFileResult::Status::WrongFormat);
  EXPECT_EQ(Parse("TX980 Sound Level Meter SamplingRat").result.status, CFileResult::Status::WrongFormat);
  EXPECT_EQ(Parse("").result.status, CFileResult::Status::WrongFormat);
  // A header split by a line end is not a header.
  EXPECT_EQ(Parse("TX980 Sound Level Meter\r\nSamplingRate:1.0;").result.status,
            CFileResult::Status::WrongFormat);
}

TEST(TextDataRead, RateFollowsTheLenientNumberRule) {
  EXPECT_DOUBLE_EQ(Parse("TX980 Sound Level Meter SamplingRate:0.3;").dSampleRate, 0.3);
  EXPECT_DOUBLE_EQ(Parse("TX980 Sound Level Meter SamplingRate: \t2.5xyz;").dSampleRate, 2.5);
  CTextDataContent noSemicolon = Parse("TX980 Sound Level Meter SamplingRate:0.5\r\nd,t, 1, dBA\r\n");
  EXPECT_DOUBLE_EQ(noSemicolon.dSampleRate, 0);
  ASSERT_EQ(noSemicolon.samples.GetSize(), 1u);
  EXPECT_DOUBLE_EQ(noSemicolon.samples[0].m_dSampleRate, 0);
  ASSERT_FALSE(noSemicolon.result.warnings.empty());
  EXPECT_EQ(noSemicolon.result.warnings[0].rfind("line 1:", 0), 0u);
  EXPECT_DOUBLE_EQ(Parse("TX980 Sound Level Meter SamplingRate;1.0:").dSampleRate, 0);
}

TEST(TextDataRead, CommaSplittingOfOddLines) {
  CTextDataContent c = Parse("TX980 Sound Level Meter SamplingRate:1.0;\r\n"
                             "d,t, \t65.30 , dBC\r\n"
                             "a,b, 7,c,d, dBA\r\n"
                             "d,t,.5,dBA\r\n"
                             "d,t,+1e1,u\r\n");
  ASSERT_EQ(c.samples.GetSize(), 4u);
  EXPECT_EQ(c.samples[0].m_strTime, "d,t");
  EXPECT_DOUBLE_EQ(c.samples[0].m_dValue, 65.3);
  EXPECT_EQ(c.samples[0].m_strUnit, "dBC");
  EXPECT_EQ(c.samples[1].m_strTime, "a,b");
  EXPECT_DOUBLE_EQ(c.samples[1].m_dValue, 7); // the field up to the third comma
  EXPECT_EQ(c.samples[1].m_strUnit, "dBA");
  EXPECT_DOUBLE_EQ(c.samples[2].m_dValue, 0.5);
  EXPECT_EQ(c.samples[2].m_strUnit, ",dBA"); // the line's last four characters
  EXPECT_DOUBLE_EQ(c.samples[3].m_dValue, 10);
  EXPECT_EQ(c.nSkippedLines, 0u);
}

// A line without a level is no 0 dB sample: it is skipped and counted, and
// the rest of the file is read.
TEST(TextDataRead, LinesWithoutALevelAreSkippedAndNamed) {
  CTextDataContent c = Parse("TX980 Sound Level Meter SamplingRate:1.0;\r\n"
                             "07-12-2026,01:45:03, 65.30, dBA\r\n"
                             "hello\r\n"                            // 3: no level field
                             "07-12-2026,01:45:05, 6x.30, dBA\r\n"  // 4: not a number
                             "07-12-2026,01:45:06, 200.00, dBA\r\n" // the top of the range
                             "07-12-2026,01:45:07, 200.01, dBA\r\n" // 6: out of range
                             "07-12-2026,01:45:08, -0.50, dBA\r\n"  // 7: out of range
                             "07-12-2026,01:45:09,  , dBA\r\n"      // 8: empty level
                             "07-12-2026,01:45:10, nan, dBA\r\n"    // 9
                             "07-12-2026,01:45:11, 1e999, dBA\r\n"  // 10: no finite number
                             "07-12-2026,01:45:12,  0.00, dBC\r\n"  // the bottom of the range
                             "07-12-2026,01:45:13, 65.3");          // 12: cut off in the middle
  ASSERT_EQ(c.samples.GetSize(), 3u);
  EXPECT_DOUBLE_EQ(c.samples[0].m_dValue, 65.3);
  EXPECT_DOUBLE_EQ(c.samples[1].m_dValue, 200);
  EXPECT_DOUBLE_EQ(c.samples[2].m_dValue, 0);
  EXPECT_EQ(c.samples[2].m_strUnit, "dBC");
  EXPECT_EQ(c.nSkippedLines, 8u);
  EXPECT_EQ(c.firstSkippedLines, (std::vector<std::size_t>{3, 4, 6, 7, 8}));
  EXPECT_EQ(SkippedLinesMessage(c), "Skipped 8 lines without a level from 0 to 200 dB: lines 3, 4, 6, 7, 8 "
                                    "and 3 more.");
  CTextDataContent one = Parse("TX980 Sound Level Meter SamplingRate:1.0;\r\nd,t, 1.00, dBA\r\nd,t, 6");
  EXPECT_EQ(SkippedLinesMessage(one), "Skipped 1 line without a level from 0 to 200 dB: line 3.");
  EXPECT_EQ(SkippedLinesMessage(Parse("TX980 Sound Level Meter SamplingRate:1.0;\r\n")), "");
}

TEST(TextDataRead, BlankLineEndsTheSamples) {
  CTextDataContent c = Parse("TX980 Sound Level Meter SamplingRate:1.0;\r\n"
                             "d,t1, 60.00, dBA\r\n"
                             "\r\n"
                             "d,t3, 61.00, dBA\r\n");
  ASSERT_EQ(c.samples.GetSize(), 1u);
  EXPECT_EQ(c.samples[0].m_strTime, "d,t1");
  ASSERT_EQ(c.result.warnings.size(), 1u);
  EXPECT_EQ(c.result.warnings[0].rfind("line 3:", 0), 0u);
  EXPECT_TRUE(Parse("TX980 Sound Level Meter SamplingRate:1.0;\r\n").samples.IsEmpty());
}

TEST(TextDataFile, RoundTripRoundsLevelsAndKeepsTheFirstRate) {
  CTempDir dir;
  CSampleStore s;
  s.Emplace(65.304, "07-12-2026,01:45:03", "dBA", 4, 0.26);
  s.Emplace(120, "07-12-2026,1:45:04", "dBC", 5, 1);
  ASSERT_TRUE(WriteTextDataFile(dir.File("a.txt"), s).Ok());
  CSampleStore back;
  CFileResult r = ReadTextDataFile(dir.File("a.txt"), back);
  ASSERT_TRUE(r.Ok()) << r.strReason;
  EXPECT_TRUE(r.warnings.empty());
  ASSERT_EQ(back.GetSize(), 2u);
  EXPECT_DOUBLE_EQ(back[0].m_dValue, 65.30);
  EXPECT_DOUBLE_EQ(back[1].m_dValue, 120);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(back[i].m_strTime, s[i].m_strTime);
    EXPECT_EQ(back[i].m_strUnit, s[i].m_strUnit);
    EXPECT_EQ(back[i].m_nGroup, 0);
    EXPECT_DOUBLE_EQ(back[i].m_dSampleRate, 0.3);
  }
}

TEST(TextDataFile, FailedReadLeavesTheStoreAsItWas) {
  CTempDir dir;
  CSampleStore store;
  store.Emplace(1.0, "old", "dBA", 7, 1);
  Spit(dir.File("bad.txt"), "Not a data file\r\nt, 1, dBA\r\n");
  EXPECT_EQ(ReadTextDataFile(dir.File("bad.txt"), store).status, CFileResult::Status::WrongFormat);
  CFileResult missing = ReadTextDataFile(dir.File("missing.txt"), store);
  EXPECT_EQ(missing.status, CFileResult::Status::Failed);
  EXPECT_EQ(missing.strPath, dir.File("missing.txt"));
  EXPECT_FALSE(missing.strReason.empty());
  EXPECT_EQ(ReadTextDataFile(dir.Path().string(), store).status, CFileResult::Status::Failed);
  // Cancelled half-way: the store is not touched either.
  std::string big = "TX980 Sound Level Meter SamplingRate:1.0;\r\n";
  for (int i = 0; i < 20000; ++i)
    big += "d,t, 1.00, dBA\r\n";
  Spit(dir.File("big.txt"), big);
  EXPECT_EQ(
      ReadTextDataFile(dir.File("big.txt"), store, [](std::size_t, std::size_t) { return false; }).status,
      CFileResult::Status::Cancelled);
  ASSERT_EQ(store.GetSize(), 1u);
  EXPECT_EQ(store[0].m_strTime, "old");
  // A header-only file is a good file and empties the store.
  Spit(dir.File("empty.txt"), "TX980 Sound Level Meter SamplingRate:1.0;\r\n");
  EXPECT_TRUE(ReadTextDataFile(dir.File("empty.txt"), store).Ok());
  EXPECT_TRUE(store.IsEmpty());
}

} // namespace

#include "files/NumberText.h"

namespace {
TEST(WholeNumber, TakesOnlyATextThatIsANumberThroughout) {
  EXPECT_EQ(WholeNumber(" \t65.30 "), 65.3);
  EXPECT_EQ(WholeNumber("-2.5e-1"), -0.25);
  EXPECT_EQ(WholeNumber(".5"), 0.5);
  for (const char *bad :
       {"", " ", "65.3x", "6 5", "1,5", "+-5", "inf", "nan", "1e999", "-", ".", "e5", "0x10"})
    EXPECT_FALSE(WholeNumber(bad)) << bad;
}

TEST(LenientNumber, StopsAtTheFirstCharacterThatCannotContinue) {
  EXPECT_DOUBLE_EQ(LenientNumber(" \t+3.5"), 3.5);
  EXPECT_DOUBLE_EQ(LenientNumber("-2.5e-1x"), -0.25);
  EXPECT_DOUBLE_EQ(LenientNumber("7e"), 7);
  EXPECT_DOUBLE_EQ(LenientNumber("1,5"), 1);
  EXPECT_DOUBLE_EQ(LenientNumber("\n5"), 0); // only blanks and tabs are skipped
  EXPECT_DOUBLE_EQ(LenientNumber("nan"), 0);
  EXPECT_DOUBLE_EQ(LenientNumber("-"), 0);
  EXPECT_DOUBLE_EQ(LenientNumber("1e-999"), 0);
  EXPECT_TRUE(std::isinf(LenientNumber("1e999")));
}

// Files from elsewhere, read from disk as "Abrir" reads them.
constexpr const char *kHeader = "TX980 Sound Level Meter SamplingRate:1.0;";

CTextDataContent ReadFile(const std::string &bytes) {
  CTempDir dir;
  Spit(dir.File("in.txt"), bytes);
  return ReadTextDataContent(dir.File("in.txt"));
}

// A sample line of exactly nBytes, its level field padded with blanks.
std::string SampleLine(std::size_t nBytes) {
  const std::string line = "07-12-2026,01:45:03, 65.30, dBA";
  return "07-12-2026,01:45:03," + std::string(nBytes - line.size() + 1, ' ') + "65.30, dBA";
}

TEST(TextDataFromElsewhere, LfCrLfAndCrLineEndsReadAlike) {
  for (const std::string end : {"\n", "\r\n", "\r"}) {
    const CTextDataContent c = ReadFile(kHeader + end + "07-12-2026,01:45:03, 65.30, dBA" + end +
                                        "07-12-2026,01:45:04, 66.30, dBC" + end);
    ASSERT_TRUE(c.result.Ok()) << c.result.strReason;
    ASSERT_EQ(c.samples.GetSize(), 2u) << (end == "\r" ? "CR" : end == "\n" ? "LF" : "CR LF");
    EXPECT_EQ(c.samples[1].m_strTime, "07-12-2026,01:45:04");
    EXPECT_EQ(c.samples[1].m_strUnit, "dBC");
    EXPECT_TRUE(c.result.warnings.empty());
  }
  // one file, every kind of line end
  EXPECT_EQ(ReadFile(kHeader +
                     std::string("\r\n07-12-2026,01:45:03, 65.30, dBA\r07-12-2026,01:45:04, 66.30, dBC\n"))
                .samples.GetSize(),
            2u);
  // a CR LF cut between two of the reader's 1 MiB pieces is one line end, no blank line
  constexpr std::size_t kPiece = 1 << 20;
  std::string bytes = std::string(kHeader) + "\r\n";
  std::size_t nLines = 0;
  while (kPiece - 1 - bytes.size() > 2 * 40) {
    bytes += SampleLine(38) + "\r\n";
    ++nLines;
  }
  bytes += SampleLine(kPiece - 1 - bytes.size()) + "\r\n" + SampleLine(31) + "\r\n";
  ASSERT_EQ(bytes.substr(kPiece - 1, 2), "\r\n");
  const CTextDataContent c = ReadFile(bytes);
  EXPECT_EQ(c.samples.GetSize(), nLines + 2);
  EXPECT_TRUE(c.result.warnings.empty());
}

TEST(TextDataFromElsewhere, ImpossibleDatesAndTimesAreBadLinesNamedByNumber) {
  const CTextDataContent c =
      ReadFile(std::string(kHeader) + "\r\n"
                                      "07-13-2026,01:45:03, 65.30, dBA\r\n" // 2: month 13
                                      "30-02-2026,01:45:03, 65.30, dBA\r\n" // 3
                                      "29-02-2028,01:45:03, 65.30, dBA\r\n" // a leap day
                                      "07-12-2026,25:61:99, 65.30, dBA\r\n" // 5
                                      "00-00-0000,00:00:00, 65.30, dBA\r\n" // 6
                                      "07-12-2026,1:45:60, 65.30, dBA\r\n"  // 7
                                      "d,t, 65.30, dBA\r\n"                 // no date at all: kept as text
                                      "7-12-2026,23:59:59, 65.30, dBA\r\n");
  ASSERT_TRUE(c.result.Ok());
  ASSERT_EQ(c.samples.GetSize(), 3u);
  EXPECT_EQ(c.samples[0].m_strTime, "29-02-2028,01:45:03");
  EXPECT_EQ(c.samples[2].m_strTime, "7-12-2026,23:59:59");
  EXPECT_EQ(c.firstSkippedLines, (std::vector<std::size_t>{2, 3, 5, 6, 7}));
  EXPECT_EQ(SkippedLinesMessage(c),
            "Skipped 5 lines with a date or time that does not exist: lines 2, 3, 5, 6, 7.");
}

TEST(TextDataFromElsewhere, LinesOver4KiBAreBadLinesReadInBoundedMemory) {
  const CTextDataContent c =
      ReadFile(std::string(kHeader) + "\n" + SampleLine(4096) + "\n" + SampleLine(4097) + "\n" +
               std::string(3 << 20, 'x') + "\n07-12-2026,01:45:03, 7x, dBA");
  ASSERT_TRUE(c.result.Ok());
  EXPECT_EQ(c.samples.GetSize(), 1u) << "a line of 4096 bytes is still a sample";
  EXPECT_EQ(SkippedLinesMessage(c), "Skipped 3 lines (1 without a level from 0 to 200 dB, 2 longer than 4096 "
                                    "bytes): lines 3, 4, 5.");

  // a 256 MB line without an end costs the reader no more than its pieces
  CTempDir dir;
  const std::string path = dir.File("one-line.txt");
  {
    std::FILE *f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs(kHeader, f);
    std::fputs("\n", f);
    const std::string block(1 << 20, '7');
    for (int i = 0; i < 256; ++i)
      std::fwrite(block.data(), 1, block.size(), f);
    std::fclose(f);
  }
  std::FILE *clear = std::fopen("/proc/self/clear_refs", "w");
  ASSERT_NE(clear, nullptr);
  std::fputs("5", clear); // the peak resident size starts again from now
  std::fclose(clear);
  auto peakKb = [] {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
      if (line.rfind("VmHWM:", 0) == 0)
        return std::stol(line.substr(6));
    return -1L;
  };
  const long nBefore = peakKb();
  const CTextDataContent huge = ReadTextDataContent(path);
  EXPECT_LT(peakKb() - nBefore, 32 * 1024) << "KB more at the peak";
  EXPECT_EQ(huge.nSkippedLines, 1u);
  EXPECT_EQ(huge.samples.GetSize(), 0u);
}
} // namespace
