#include "records/StatData.h"
#include "records/SampleArray.h"
#include "records/SampleStore.h"

#include <gtest/gtest.h>

namespace {

struct LiveRun {
  CSampleStore store;
  StatData stat;
  LiveRun() { stat.Reset(); }
  StatData::Change Add(double level, const std::string &time, const char *unit = "dBA") {
    store.Emplace(level, time, unit, 0, 1.0);
    return stat.AddSample(CSampleArray(store), store.GetSize() - 1);
  }
};

TEST(StatData, ResetKeepsUnitsAndRate) {
  StatData s;
  s.dMax = 90;
  s.dMin = 20;
  s.dAverage = 50;
  s.dSum = 100;
  s.strMaxTime = s.strMinTime = s.strStartTime = "x";
  s.strMaxUnit = "dBC";
  s.strMinUnit = "dBA";
  s.dSampleRate = 0.5;
  s.Reset();
  EXPECT_EQ(s.dMax, 0);
  EXPECT_EQ(s.dMin, 150.0);
  EXPECT_EQ(s.dAverage, 0);
  EXPECT_EQ(s.dSum, 0);
  EXPECT_TRUE(s.strMaxTime.empty() && s.strMinTime.empty() && s.strStartTime.empty());
  EXPECT_EQ(s.strMaxUnit, "dBC");
  EXPECT_EQ(s.strMinUnit, "dBA");
  EXPECT_EQ(s.dSampleRate, 0.5);
}

TEST(StatData, FirstSampleSetsEverything) {
  LiveRun r;
  auto ch = r.Add(62.3, "t1", "dBC");
  EXPECT_TRUE(ch.bMax && ch.bMin);
  EXPECT_DOUBLE_EQ(r.stat.dMax, 62.3);
  EXPECT_DOUBLE_EQ(r.stat.dMin, 62.3);
  EXPECT_DOUBLE_EQ(r.stat.dAverage, 62.3);
  EXPECT_EQ(r.stat.strMaxTime, "t1");
  EXPECT_EQ(r.stat.strMinTime, "t1");
  EXPECT_EQ(r.stat.strStartTime, "t1");
  EXPECT_EQ(r.stat.strMaxUnit, "dBC");
}

TEST(StatData, EqualExtremesKeepTheEarliestTime) {
  LiveRun r;
  r.Add(70.0, "t1");
  auto ch = r.Add(70.0, "t2");
  EXPECT_FALSE(ch.bMax);
  r.Add(65.0, "t3");
  EXPECT_EQ(r.stat.strMaxTime, "t1");
  EXPECT_DOUBLE_EQ(r.stat.dMin, 65.0);
  EXPECT_EQ(r.stat.strMinTime, "t3");
  EXPECT_NEAR(r.stat.dAverage, 68.3333, 1e-4);
  EXPECT_EQ(r.stat.strStartTime, "t1");
}

TEST(StatData, StartValuesBoundTheExtremes) {
  LiveRun r;
  r.Add(150.0, "t1");
  r.Add(0.0, "t2");
  // 150 never beats the start minimum of 150, 0 never the start maximum of 0.
  EXPECT_DOUBLE_EQ(r.stat.dMax, 150.0);
  EXPECT_DOUBLE_EQ(r.stat.dMin, 0.0);
  LiveRun low;
  low.Add(-5.0, "t1");
  EXPECT_EQ(low.stat.dMax, 0);
  EXPECT_TRUE(low.stat.strMaxTime.empty());
}

} // namespace

namespace {

// A run's statistics, built a sample at a time, and the whole-set
// computation agree on every field: the two windows show one statistic.
TEST(StatData, SampleBySampleAndWholeSetAgree) {
  CSampleStore store;
  StatData run;
  const double levels[] = {55.0, 72.5, 40.1, 72.5, 40.1, 99.9, 30.0, 65.2};
  for (std::size_t i = 0; i < std::size(levels); ++i) {
    store.Emplace(levels[i], "t" + std::to_string(i), i % 2 ? "dBC" : "dBA", 0, 0.5);
    run.AddSample(CSampleArray(store), i);
  }
  run.dSampleRate = 0.5;
  const StatData whole = ComputeStatistics(CSampleArray(store), kRunStatStart);
  EXPECT_EQ(whole.dMax, run.dMax);
  EXPECT_EQ(whole.strMaxTime, run.strMaxTime);
  EXPECT_EQ(whole.strMaxUnit, run.strMaxUnit);
  EXPECT_EQ(whole.dMin, run.dMin);
  EXPECT_EQ(whole.strMinTime, run.strMinTime);
  EXPECT_EQ(whole.strMinUnit, run.strMinUnit);
  EXPECT_EQ(whole.dSum, run.dSum);
  EXPECT_EQ(whole.dAverage, run.dAverage);
  EXPECT_EQ(whole.strStartTime, run.strStartTime);
  EXPECT_EQ(whole.dSampleRate, run.dSampleRate);
  // The recording's start values: 130 dB is no minimum to pass from below.
  CSampleStore loud;
  loud.Emplace(135.0, "a", "dBA", 1, 1.0);
  const StatData rec = ComputeStatistics(CSampleArray(loud), kRecordingStatStart);
  EXPECT_EQ(rec.dMin, 130.0);
  EXPECT_EQ(rec.strMinTime, "");
  EXPECT_EQ(ComputeStatistics(CSampleArray(loud), kRunStatStart).strMinTime, "a");
}

} // namespace
