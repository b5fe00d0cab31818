#include "logger/LevelHistogram.h"
#include "logger/LocalTimeCache.h"
#include "logger/LoggedSample.h"
#include "logger/MinuteSummary.h"
#include "logger/RunSummary.h"
#include "records/AcousticStats.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace {
// Sets TZ for one test and puts it back.
class CZone {
public:
  explicit CZone(const char *tz) {
    const char *old = std::getenv("TZ");
    m_bHad = old != nullptr;
    if (old)
      m_strOld = old;
    ::setenv("TZ", tz, 1);
    ::tzset();
  }
  ~CZone() {
    if (m_bHad)
      ::setenv("TZ", m_strOld.c_str(), 1);
    else
      ::unsetenv("TZ");
    ::tzset();
  }

private:
  bool m_bHad = false;
  std::string m_strOld;
};

CLoggedSample At(std::time_t t, int nMillis, double dLevel, bool bA = true) {
  CLoggedSample s;
  s.time = std::chrono::system_clock::from_time_t(t) + std::chrono::milliseconds(nMillis);
  localtime_r(&t, &s.local);
  s.nMillis = nMillis;
  s.dLevel = dLevel;
  s.bWeightA = bA;
  return s;
}
} // namespace

// Stepping inside a quarter hour must agree with the zone's own rules,
// across midnight and both daylight-saving changes, in odd offsets too.
TEST(LocalTimeCache, AgreesWithLocaltimeAcrossMidnightAndDst) {
  for (const char *tz : {"Europe/Lisbon", "America/St_Johns", "Asia/Kathmandu", "UTC"}) {
    CZone zone(tz);
    CLocalTimeCache cache;
    // 2026-03-29 and 2026-10-25 are Lisbon's changes; St John's changes on 03-08 and 11-01.
    for (std::time_t start : {1774746000 - 7200, 1792890000 - 7200, 1772947800 - 7200, 1793507400 - 7200}) {
      for (std::time_t t = start; t < start + 4 * 3600; t += 7) {
        std::tm expect{};
        localtime_r(&t, &expect);
        std::tm got = cache.Get(t);
        ASSERT_EQ(FormatIso8601(got, 0), FormatIso8601(expect, 0)) << tz << " " << t;
        ASSERT_EQ(got.tm_mday, expect.tm_mday);
      }
    }
    EXPECT_LT(cache.Conversions(), 4 * 4 * 4 + 8);
  }
}

TEST(LocalTimeCache, IsoTimesCarryMillisecondsAndTheOffset) {
  {
    CZone zone("America/St_Johns");
    std::time_t t = 1796893200; // 2026-12-10 09:00:00 UTC
    std::tm tm{};
    localtime_r(&t, &tm);
    EXPECT_EQ(FormatIso8601(tm, 7), "2026-12-10T05:30:00.007-03:30");
  }
  CZone zone("Europe/Lisbon");
  CLoggedSample s = At(1781600403, 250, 65.2); // 2026-06-16 09:00:03 UTC, summer time
  EXPECT_EQ(SampleCsv(s), "2026-06-16T10:00:03.250+01:00,65.2,A");
  s.bFast = false;
  s.bMax = true;
  s.nRange = 2;
  s.bWeightA = false;
  EXPECT_EQ(SampleJson(s),
            "{\"time\": \"2026-06-16T10:00:03.250+01:00\", \"level\": 65.2, \"weighting\": \"C\", "
            "\"fast\": false, \"max\": true, \"min\": false, \"range\": \"50-100\"}");
  EXPECT_EQ(LiveTimeText(s.local), "16-06-2026,10:00:03");
  std::tm tm = s.local;
  EXPECT_EQ(ExpandOutputPattern("tarvik-%Y-%m-%d.txt", tm), "tarvik-2026-06-16.txt");
}

TEST(LevelHistogram, PercentilesEqualTheSortedDefinition) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> tenths(300, 1100);
  for (std::size_t n : {1u, 2u, 3u, 9u, 10u, 11u, 101u, 5000u}) {
    CLevelHistogram hist;
    std::vector<double> levels;
    for (std::size_t i = 0; i < n; ++i) {
      double d = tenths(rng) / 10.0;
      hist.Add(d);
      levels.push_back(d);
    }
    for (int x : {10, 50, 90}) {
      std::vector<double> copy = levels;
      EXPECT_DOUBLE_EQ(hist.LevelExceeded(x), LevelExceeded(copy, x)) << n << " L" << x;
    }
  }
  EXPECT_EQ(CLevelHistogram().LevelExceeded(50), 0);
}

TEST(RunSummary, ExtremesKeepTheEarliestAndFiguresFollowTheDefinitions) {
  CZone zone("UTC");
  CRunSummary sum;
  std::time_t t0 = 1796893200;
  double levels[] = {60.0, 70.0, 70.0, 50.0, 50.0, 60.0};
  for (int i = 0; i < 6; ++i)
    sum.Add(At(t0 + i, 0, levels[i]));
  sum.NoteGap();
  std::string text = sum.Format();
  EXPECT_NE(text.find("samples: 6\ngaps: 1\n"), std::string::npos) << text;
  EXPECT_NE(text.find("time span: 2026-12-10T09:00:00.000+00:00 to 2026-12-10T09:00:05.000+00:00 (0:00:05)"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("MAX: 70.0 dBA at 2026-12-10T09:00:01.000+00:00"), std::string::npos) << text;
  EXPECT_NE(text.find("MIN: 50.0 dBA at 2026-12-10T09:00:03.000+00:00"), std::string::npos) << text;
  AcousticStats st = ComputeAcousticStats(levels, 1.0);
  EXPECT_NEAR(sum.Leq(), st.dLeq, 1e-9);
  EXPECT_NE(text.find("L10: 70.0\nL50: 60.0\nL90: 50.0\n"), std::string::npos) << text;
  sum.Add(At(t0 + 7, 0, 55.0, false));
  EXPECT_NE(sum.Format().find("\nLeq: "), std::string::npos); // mixed weighting: no A or C in the name
  EXPECT_EQ(CRunSummary().Format(), "samples: 0\ngaps: 0\n");
}

TEST(MinuteSummary, EachClockMinuteIsSummedWhenTheNextBegins) {
  CZone zone("UTC");
  CMinuteSummary minute(0.5);
  std::time_t t0 = 1796893200 + 58; // 09:00:58
  EXPECT_FALSE(minute.Add(At(t0, 0, 60.0)));
  EXPECT_FALSE(minute.Add(At(t0, 500, 70.0)));
  EXPECT_FALSE(minute.Add(At(t0 + 1, 500, 80.0)));
  auto done = minute.Add(At(t0 + 2, 0, 40.0)); // 09:01:00
  ASSERT_TRUE(done);
  EXPECT_EQ(*done,
            "{\"time\": \"2026-12-10T09:00:00.000+00:00\", \"count\": 3, \"leq\": 75.7, \"l10\": 80.0, "
            "\"l50\": 70.0, \"l90\": 60.0, \"max\": 80.0, \"min\": 60.0, \"weighting\": \"A\"}");
  auto last = minute.Flush();
  ASSERT_TRUE(last);
  EXPECT_NE(last->find("\"count\": 1"), std::string::npos);
  EXPECT_FALSE(minute.Flush());
}
