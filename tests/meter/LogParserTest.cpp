#include "RecordingSink.h"

#include "meter/LogParser.h"
#include "support/ScopedTz.h"

#include <gtest/gtest.h>

namespace {

struct LogParserTest : ::testing::Test {
  CRecordingSink sink;
  CSampleStore store;
  CLogDecodeState dec;

  void Parse(const std::string &text) { ParseLogData(text, dec, store, sink); }
  std::vector<std::string> Times() const {
    std::vector<std::string> v;
    for (std::size_t i = 0; i < store.GetSize(); ++i)
      v.push_back(store[i].m_strTime);
    return v;
  }
};

const std::string kHeader = "aa10120709050002ac"; // 07-12-2010 9:05:00, every 2 s, A weighting

} // namespace

TEST_F(LogParserTest, OneRecording) {
  Parse(kHeader + "06520701dd");
  ASSERT_EQ(store.GetSize(), 2u);
  EXPECT_DOUBLE_EQ(store[0].m_dValue, 65.2);
  EXPECT_DOUBLE_EQ(store[1].m_dValue, 70.1);
  EXPECT_EQ(Times(), (std::vector<std::string>{"07-12-2010,9:05:00", "07-12-2010,9:05:02"}));
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(store[i].m_strUnit, "dBA");
    EXPECT_EQ(store[i].m_nGroup, 1);
    EXPECT_DOUBLE_EQ(store[i].m_dSampleRate, 2.0);
  }
  EXPECT_EQ(sink.m_nEnded, 1);
  EXPECT_DOUBLE_EQ(dec.m_logTime.m_dLastLevel, 70.1);
}

// A byte that is no BCD level ("0a c0", "0d d0") holds no marker: the
// recording goes on to the end marker in one group.
TEST_F(LogParserTest, MarkersAcrossTwoBytesAreLevels) {
  for (const char *levels : {"06500ac00660dd", "06500dd00660dd", "0650a0cc0660dd"}) {
    CSampleStore one;
    CLogDecodeState d;
    ParseLogData(kHeader + levels, d, one, sink);
    ASSERT_EQ(one.GetSize(), 3u) << levels;
    EXPECT_DOUBLE_EQ(one[2].m_dValue, 66.0) << levels;
    EXPECT_EQ(one[2].m_nGroup, 1) << levels;
  }
}

TEST_F(LogParserTest, HeaderFieldsHourAndUnit) {
  Parse("cc10120721050002ac0652" + std::string("bb10120732050002ac0652dd"));
  ASSERT_EQ(store.GetSize(), 2u);
  EXPECT_EQ(store[0].m_strTime, "07-12-2010,13:05:00");
  EXPECT_EQ(store[0].m_strUnit, "dBC");
  EXPECT_EQ(store[1].m_strTime, "07-12-2010,12:05:00"); // 2 + 10 + 12 = 24
  EXPECT_EQ(store[1].m_strUnit, "dBC");
}

TEST_F(LogParserTest, RecordingsAreNumberedInOrder) {
  Parse(kHeader + "06520701" + "aa10120710000001ac" + "080009000950dd");
  ASSERT_EQ(store.GetSize(), 5u);
  std::vector<int> groups;
  for (std::size_t i = 0; i < store.GetSize(); ++i)
    groups.push_back(store[i].m_nGroup);
  EXPECT_EQ(groups, (std::vector<int>{1, 1, 2, 2, 2}));
  EXPECT_EQ(store[4].m_strTime, "07-12-2010,10:00:02");
  EXPECT_EQ(dec.m_nLogGroup, 2);
}

TEST_F(LogParserTest, TimeCrossesMidnightAndMonthEnd) {
  Parse("aa10123131595902ac065206520652dd");
  EXPECT_EQ(Times(),
            (std::vector<std::string>{"31-12-2010,23:59:59", "01-01-2011,0:00:01", "01-01-2011,0:00:03"}));
}

TEST_F(LogParserTest, TrailingShortPiecesAndTheTwoEndRules) {
  // intermediate: a trailing 2-character piece still yields a level
  Parse(kHeader + "065207" + "aa10120710000001ac" + "080009dd");
  ASSERT_EQ(store.GetSize(), 3u);
  EXPECT_DOUBLE_EQ(store[1].m_dValue, 0.7);
  EXPECT_EQ(store[1].m_nGroup, 1);
  EXPECT_EQ(store[2].m_nGroup, 2); // last: the trailing "09" yields none
  EXPECT_DOUBLE_EQ(store[2].m_dValue, 80.0);
}

TEST_F(LogParserTest, MissingEndMarkerStillEndsTheDownload) {
  Parse(kHeader + "06520701");
  EXPECT_TRUE(store.IsEmpty());
  EXPECT_EQ(sink.m_nEnded, 1);
}

TEST_F(LogParserTest, ShortHeadersAndLettersStayInside) {
  Parse("1012ac0a52065ddd"); // a 4-character header: fields past it read as 0
  ASSERT_EQ(store.GetSize(), 2u);
  EXPECT_EQ(store[0].m_strTime, "00-00-2012,0:00:00");
  EXPECT_DOUBLE_EQ(store[0].m_dValue, 0.0); // a letter ends the number
  EXPECT_DOUBLE_EQ(store[1].m_dValue, 6.5);
  EXPECT_EQ(store[0].m_strUnit, "dBC");

  store.RemoveAll();
  Parse("ac");
  Parse("acdd");
  Parse("dd");
  Parse("");
  EXPECT_TRUE(store.IsEmpty());
  EXPECT_EQ(sink.m_nEnded, 5);
}

TEST_F(LogParserTest, LevelsBeforeTheFirstHeaderBelongToGroupZero) {
  Parse("0652" + kHeader + "0701dd");
  ASSERT_EQ(store.GetSize(), 2u);
  EXPECT_EQ(store[0].m_nGroup, 0);
  EXPECT_EQ(store[1].m_nGroup, 1);
}

// The meter's clock knows no zone: a recording steps the same on a desktop
// with TZ unset, in UTC and in zones with daylight saving (whose changes
// the meter's clock does not make either).
class LogParserZoneTest : public LogParserTest, public ::testing::WithParamInterface<const char *> {};

TEST_P(LogParserZoneTest, StepsOverMidnightFebruaryAndTheYearsEnd) {
  CScopedTz tz(GetParam());
  Parse("aa10120731595902ac065206520652"             // midnight (hour 23 is sent as 0x31)
        "cc28022831595801ac0652065206520652"         // leap February
        "aa27022831595901ac06520652"                 // ordinary February
        "aa26123131593010ac065206520652065206520652" // year's end, 10 s apart
        "aa26032901595902ac06520652"                 // 29-03-2026: clocks go forward in Europe at 02:00
        "aa26102502595902ac06520652dd");             // 25-10-2026: back at 03:00
  EXPECT_EQ(Times(),
            (std::vector<std::string>{
                "07-12-2010,23:59:59", "08-12-2010,0:00:01", "08-12-2010,0:00:03", "28-02-2028,23:59:58",
                "28-02-2028,23:59:59", "29-02-2028,0:00:00", "29-02-2028,0:00:01", "28-02-2027,23:59:59",
                "01-03-2027,0:00:00", "31-12-2026,23:59:30", "31-12-2026,23:59:40", "31-12-2026,23:59:50",
                "01-01-2027,0:00:00", "01-01-2027,0:00:10", "01-01-2027,0:00:20", "29-03-2026,1:59:59",
                "29-03-2026,2:00:01", "25-10-2026,2:59:59", "25-10-2026,3:00:01"}));
  // the cursor ends one interval past the last level
  EXPECT_EQ(dec.m_logTime.m_nHour, 3);
  EXPECT_EQ(dec.m_logTime.m_nSecond, 3);
}

INSTANTIATE_TEST_SUITE_P(Zones, LogParserZoneTest,
                         ::testing::Values(nullptr, "UTC", "Europe/Warsaw", "America/Sao_Paulo",
                                           "Pacific/Chatham"));

TEST_F(LogParserTest, OutOfRangeHeaderFieldsShowAsSentThenRollOn) {
  Parse("cc10024532990003ac065207010652dd");
  EXPECT_EQ(Times(),
            (std::vector<std::string>{"45-02-2010,12:99:00", "17-03-2010,13:39:03", "17-03-2010,13:39:06"}));
}
