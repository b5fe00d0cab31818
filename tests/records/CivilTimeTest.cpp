#include "records/CivilTime.h"
#include "records/LocalTimeText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>

TEST(CivilTimeTest, CarriesLikeACalendar) {
  const CivilFields f{2026, 12, 31, 23, 59, 59};
  EXPECT_EQ(FromCivilSeconds(ToCivilSeconds(f) + 2), (CivilFields{2027, 1, 1, 0, 0, 1}));
  EXPECT_EQ(FromCivilSeconds(ToCivilSeconds({2028, 2, 28, 23, 59, 59}) + 1),
            (CivilFields{2028, 2, 29, 0, 0, 0}));
  EXPECT_EQ(FromCivilSeconds(ToCivilSeconds({2100, 2, 28, 23, 59, 59}) + 1),
            (CivilFields{2100, 3, 1, 0, 0, 0}));
  EXPECT_EQ(FromCivilSeconds(ToCivilSeconds({2000, 2, 28, 23, 59, 59}) + 1),
            (CivilFields{2000, 2, 29, 0, 0, 0}));
  // out-of-range fields roll on as mktime rolls them
  EXPECT_EQ(FromCivilSeconds(ToCivilSeconds({2010, 2, 45, 12, 99, 0})),
            (CivilFields{2010, 3, 17, 13, 39, 0}));
  EXPECT_EQ(FromCivilSeconds(ToCivilSeconds({2010, 0, 0, 0, 0, 0})), (CivilFields{2009, 11, 30, 0, 0, 0}));
  EXPECT_EQ(FromCivilSeconds(ToCivilSeconds({2010, 14, 1, 0, 0, 0})), (CivilFields{2011, 2, 1, 0, 0, 0}));
  EXPECT_EQ(ToCivilSeconds({1970, 1, 1, 0, 0, 0}), 0);
  EXPECT_EQ(FromCivilSeconds(-1), (CivilFields{1969, 12, 31, 23, 59, 59}));
}

TEST(CivilTimeTest, AgreesWithTheCLibraryInUtcOverCenturies) {
  for (std::time_t t = -2208988800; t < 4102444800; t += 86399 * 37 + 12345) {
    std::tm tm{};
    gmtime_r(&t, &tm);
    const CivilFields f{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
    ASSERT_EQ(ToCivilSeconds(f), t);
    ASSERT_EQ(FromCivilSeconds(t), f);
  }
}

TEST(CivilTimeTest, TextsAsPrintfWritesThem) {
  const CivilFields f{2010, 12, 7, 9, 5, 0};
  EXPECT_EQ(FormatTimeText(f, TimeStyle::PlainHour), "07-12-2010,9:05:00");
  EXPECT_EQ(FormatTimeText(f, TimeStyle::PaddedHour), "07-12-2010,09:05:00");
  EXPECT_EQ(FormatTimeText({202, 0, 45, 24, 99, 7}, TimeStyle::PlainHour), "45-00-202,24:99:07");
  char want[64];
  const CivilFields neg{-5, -3, -1, -12, 0, -7};
  std::snprintf(want, sizeof want, "%.2d-%.2d-%d,%.2d:%.2d:%.2d", neg.nDay, neg.nMonth, neg.nYear, neg.nHour,
                neg.nMinute, neg.nSecond);
  EXPECT_EQ(FormatTimeText(neg, TimeStyle::PaddedHour), want);
}

TEST(CivilTimeTest, OnlyTextsThatComeBackByteForByteAreParsed) {
  for (const char *text : {"07-12-2026,01:45:03", "07-12-2026,1:45:03", "29-02-2028,23:59:59",
                           "01-01-0,0:00:00", "31-12-9999,12:00:00"}) {
    auto p = ParseTimeText(text);
    ASSERT_TRUE(p) << text;
    EXPECT_EQ(FormatTimeText(FromCivilSeconds(p->t), p->style), text);
  }
  EXPECT_FALSE(ParseTimeText("07-12-2026,12:00:00")->style == TimeStyle::PlainHour &&
               !ParseTimeText("07-12-2026,12:00:00")->bEitherStyle);
  EXPECT_TRUE(ParseTimeText("07-12-2026,12:00:00")->bEitherStyle);
  EXPECT_FALSE(ParseTimeText("07-12-2026,09:00:00")->bEitherStyle);
  for (const char *text :
       {"7-12-2026,01:45:03", "07-12-2026,24:00:00", "29-02-2026,10:00:00", "31-04-2026,10:00:00",
        "07-12-02026,01:45:03", "07-12-2026 01:45:03", "07-12-2026,01:45:03 ", "07-12-2026,001:45:03",
        "07-12-2026,01:60:00", "07-12-2026,01:45:3", "00-12-2026,01:45:03", "07-13-2026,01:45:03", "noon", "",
        "+7-12-2026,01:45:08", "07-12-2026,-1:45:03", "07-12-,01:45:03", "07-12-12345,01:45:03"})
    EXPECT_FALSE(ParseTimeText(text)) << text;
}

TEST(LocalTimeTextTest, FileNamesDatesAndIsoTimesFromOneClockFace) {
  const CivilFields f{2026, 1, 7, 0, 5, 9};
  EXPECT_EQ(FileNameStamp(f), "2026-1-7 0-5");
  std::string s;
  AppendDateText(s, f);
  EXPECT_EQ(s, "07-01-2026");
  struct {
    int nMillis;
    long nOffset;
    const char *want;
  } const cases[] = {{7, -(3 * 3600 + 1800), "2026-01-07T00:05:09.007-03:30"},
                     {250, 3600, "2026-01-07T00:05:09.250+01:00"},
                     {999, 0, "2026-01-07T00:05:09.999+00:00"}};
  for (const auto &c : cases) {
    s.clear();
    AppendIso8601(s, f, c.nMillis, c.nOffset);
    EXPECT_EQ(s, c.want);
  }
  std::tm tm{};
  tm.tm_year = 126, tm.tm_mon = 11, tm.tm_mday = 31, tm.tm_hour = 23, tm.tm_min = 59, tm.tm_sec = 60;
  EXPECT_EQ(CivilFromTm(tm), (CivilFields{2026, 12, 31, 23, 59, 60})); // a leap second stays as written
}
