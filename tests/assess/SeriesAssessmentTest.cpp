#include "assess/SeriesAssessment.h"

#include "records/SampleStore.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {
CivilSeconds At(int nDay, int nHour, int nMinute, int nSecond = 0) {
  return ToCivilSeconds({2026, 12, nDay, nHour, nMinute, nSecond});
}

// `nCount` samples of `dLevel` from `t`, `dRate` apart (whole seconds).
void Fill(CSampleStore &s, CivilSeconds t, int nCount, double dLevel, double dRate = 1,
          const char *unit = "dBA") {
  for (int i = 0; i < nCount; ++i)
    s.AppendAt(dLevel, t + static_cast<CivilSeconds>(i * dRate), TimeStyle::PaddedHour, unit, 0, dRate);
}

double OneDecimal(double d) {
  return std::round(d * 10) / 10;
}
} // namespace

TEST(SeriesAssessment, DailyExposureAndDayEveningNightOfTheHandWorkedCases) {
  struct Case {
    const char *name;
    int nHours;
    double dLevel;
    const char *unit;
    std::optional<double> dLex;
    ExposureFlag flag;
  };
  const Case cases[] = {
      {"8 h at 85 dB(A)", 8, 85.0, "dBA", 85.0, ExposureFlag::UpperAction},
      {"4 h at 88 dB(A)", 4, 88.0, "dBA", 85.0, ExposureFlag::UpperAction},
      {"8 h at 87 dB(A)", 8, 87.0, "dBA", 87.0, ExposureFlag::LimitValue},
      {"8 h at 80.4 dB(A)", 8, 80.4, "dBA", 80.4, ExposureFlag::LowerAction},
      {"2 h at 79 dB(A)", 2, 79.0, "dBA", 73.0, ExposureFlag::None},
      {"8 h at 90 dB(C)", 8, 90.0, "dBC", std::nullopt, ExposureFlag::None},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    CSampleStore s;
    Fill(s, At(8, 8, 0), c.nHours * 360, c.dLevel, 10, c.unit);
    const SeriesAssessment a = AssessSeries(CSampleArray(s), {});
    ASSERT_EQ(a.exposure.dLex8h.has_value(), c.dLex.has_value());
    if (c.dLex)
      EXPECT_DOUBLE_EQ(OneDecimal(*a.exposure.dLex8h), *c.dLex);
    else
      EXPECT_EQ(a.exposure.refusal, ExposureRefusal::NotAWeighted);
    EXPECT_EQ(a.exposure.flag, c.flag);
    EXPECT_DOUBLE_EQ(a.dDurationSec, c.nHours * 3600.0);
  }

  // A constant 60 dB over a whole day: Lden 66.4, every part fully covered.
  CSampleStore day;
  Fill(day, At(8, 0, 0), 8640, 60.0, 10);
  const SeriesAssessment a = AssessSeries(CSampleArray(day), {});
  ASSERT_TRUE(a.den.dLden);
  EXPECT_DOUBLE_EQ(OneDecimal(*a.den.dLden), 66.4);
  for (const DayPartFigures *p : {&a.den.day, &a.den.evening, &a.den.night}) {
    EXPECT_NEAR(p->dLeq, 60.0, 1e-9);
    EXPECT_DOUBLE_EQ(p->dCoveragePercent, 100.0);
  }
  EXPECT_EQ(a.den.day.nSamples, 12u * 360);
  EXPECT_EQ(a.den.evening.nSamples, 4u * 360);
  EXPECT_EQ(a.den.night.nSamples, 8u * 360);
}

TEST(SeriesAssessment, ExposureTimeGivenByTheUserReplacesTheMeasuredTime) {
  CSampleStore s;
  Fill(s, At(8, 8, 0), 360, 85.0, 10); // one hour
  AssessSettings set;
  set.dExposureHours = 8;
  const SeriesAssessment a = AssessSeries(CSampleArray(s), set);
  ASSERT_TRUE(a.exposure.dLex8h);
  EXPECT_NEAR(*a.exposure.dLex8h, 85.0, 1e-9);
  EXPECT_DOUBLE_EQ(a.exposure.dExposureSec, 8 * 3600.0);
}

TEST(SeriesAssessment, DayOnlyDataNamesNoLdenAndPartialCoverage) {
  CSampleStore s;
  Fill(s, At(8, 9, 0), 3 * 360, 55.0, 10); // 09:00 to 12:00
  const SeriesAssessment a = AssessSeries(CSampleArray(s), {});
  EXPECT_FALSE(a.den.dLden);
  EXPECT_EQ(a.den.evening.nSamples, 0u);
  EXPECT_EQ(a.den.night.nSamples, 0u);
  EXPECT_DOUBLE_EQ(a.den.day.dCoveragePercent, 25.0); // 3 of 12 h
}

TEST(SeriesAssessment, PeriodStraddlingMidnightSplitsAtLocalMidnightWithPartialCoverage) {
  CSampleStore s;
  Fill(s, At(8, 23, 50), 600, 70.0); // 23:50:00 .. 23:59:59
  Fill(s, At(9, 0, 0), 600, 80.0);   // 00:00:00 .. 00:09:59
  const SeriesAssessment a = AssessSeries(CSampleArray(s), {});
  ASSERT_EQ(a.periods.size(), 2u);
  EXPECT_EQ(a.periods[0].tStart, At(8, 23, 45));
  EXPECT_EQ(a.periods[0].tEnd, At(9, 0, 0));
  EXPECT_EQ(a.periods[1].tStart, At(9, 0, 0));
  EXPECT_EQ(a.periods[1].tEnd, At(9, 0, 15));
  for (const PeriodFigures &p : a.periods) {
    EXPECT_EQ(p.nSamples, 600u);
    EXPECT_DOUBLE_EQ(OneDecimal(p.dCoveragePercent), 66.7);
  }
  EXPECT_NEAR(a.periods[0].dLeq, 70.0, 1e-9);
  EXPECT_NEAR(a.periods[1].dLmax, 80.0, 1e-9);
  // the whole: half at 70, half at 80 → 10·log10((10^7 + 10^8) / 2) = 77.4
  EXPECT_DOUBLE_EQ(OneDecimal(a.stats.dLeq), 77.4);
  EXPECT_DOUBLE_EQ(a.dLmax, 80.0);
  EXPECT_DOUBLE_EQ(a.dLmin, 70.0);
}

TEST(SeriesAssessment, PeriodExceededLevelsMatchTheRunFiguresRule) {
  // tenths are counted, other levels selected: both give the nearest rank
  const std::vector<std::vector<double>> sets = {
      {60.1, 75.3, 62.0, 90.4, 55.5, 70.0, 70.0, 81.2, 66.6, 59.9, 61.0},
      {60.15, 75.3, 62.0, 90.45, 55.5, 70.0, 70.0, 81.25, 66.6, 59.9, 61.0},
  };
  for (const std::vector<double> &levels : sets) {
    CSampleStore s;
    for (std::size_t i = 0; i < levels.size(); ++i)
      s.AppendAt(levels[i], At(8, 10, 0, static_cast<int>(i)), TimeStyle::PaddedHour, "dBA", 0, 1);
    const SeriesAssessment a = AssessSeries(CSampleArray(s), {});
    ASSERT_EQ(a.periods.size(), 1u);
    EXPECT_EQ(a.periods[0].dL10, LevelExceeded(levels, 10));
    EXPECT_EQ(a.periods[0].dL50, LevelExceeded(levels, 50));
    EXPECT_EQ(a.periods[0].dL90, LevelExceeded(levels, 90));
    EXPECT_EQ(a.periods[0].dL10, a.stats.dL10);
    EXPECT_NEAR(a.periods[0].dLeq, a.stats.dLeq, 1e-9);
  }
}

TEST(SeriesAssessment, FilesGivenOutOfOrderAreTakenInTimeOrderWithTheGapKept) {
  CSampleStore later, earlier;
  Fill(later, At(8, 11, 0), 10, 95.0);
  Fill(earlier, At(8, 10, 0), 10, 50.0);
  Fill(earlier, At(8, 10, 0, 10), 5, 95.0); // runs up to the end of its file
  const CSampleArray parts[] = {CSampleArray(later), CSampleArray(earlier)};
  AssessSettings set;
  set.dThreshold = 90;
  std::vector<std::size_t> order;
  const SeriesAssessment a = AssessSeries(parts, set, &order);
  EXPECT_EQ(order, (std::vector<std::size_t>{1, 0}));
  EXPECT_EQ(a.tStart, At(8, 10, 0));
  EXPECT_EQ(a.tEnd, At(8, 11, 0, 9));
  EXPECT_EQ(a.nSamples, 25u);
  ASSERT_EQ(a.events.size(), 2u); // the hour between the files ends the first
  EXPECT_EQ(a.events[0].nFirst, 10u);
  EXPECT_EQ(a.events[0].nLast, 14u);
  EXPECT_EQ(a.events[1].nFirst, 15u);
  EXPECT_EQ(a.events[1].tStart, At(8, 11, 0));
  EXPECT_DOUBLE_EQ(a.dTimeAboveSec, 15.0);
  EXPECT_EQ(a.periods.size(), 2u);
}

TEST(SeriesAssessment, MixedWeightingsAndAnEmptySeriesGiveNoExposure) {
  CSampleStore mixed, empty;
  Fill(mixed, At(8, 10, 0), 5, 80.0, 1, "dBA");
  Fill(mixed, At(8, 10, 0, 5), 5, 80.0, 1, "dBC");
  const SeriesAssessment m = AssessSeries(CSampleArray(mixed), {});
  EXPECT_EQ(m.weighting, Weighting::Mixed);
  EXPECT_EQ(m.exposure.refusal, ExposureRefusal::NotAWeighted);
  const SeriesAssessment e = AssessSeries(CSampleArray(empty), {});
  EXPECT_EQ(e.nSamples, 0u);
  EXPECT_TRUE(e.periods.empty());
  EXPECT_FALSE(e.exposure.dLex8h);
}
