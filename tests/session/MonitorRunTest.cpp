#include "session/MonitorRun.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

namespace {

TEST(MonitorRun, RatesAndPeriods) {
  for (std::size_t i = 0; i < kSampleRateTexts.size(); ++i)
    EXPECT_DOUBLE_EQ(RateFromText(kSampleRateTexts[i]), kSampleRates[i]) << i;
  EXPECT_EQ(SampleIntervalMs(RateFromText("0.1")), 100);
  EXPECT_EQ(SampleIntervalMs(RateFromText("0.2")), 200);
  EXPECT_EQ(SampleIntervalMs(RateFromText("2.5")), 2500);
  EXPECT_EQ(SampleIntervalMs(RateFromText("10")), 10000);
  EXPECT_EQ(RateFromText("abc"), 0);
  EXPECT_EQ(FormatLiveTime(0), "01-01-1970,00:00:00"); // TZ=UTC
  EXPECT_EQ(FormatLiveTime(1765000000), "06-12-2025,05:46:40");
}

struct RunFixture : ::testing::Test {
  CSampleStore live;
  CMeterReading state;
  CLineTiming timing;
  CMonitorRun run{live, state, timing};

  // The meter is heard and a frame has just been decoded.
  void Reading(SteadyTime t = std::chrono::steady_clock::now()) {
    state.m_bDataReceived = true;
    ++timing.m_nFramesDecoded;
    timing.m_tLastFrame = t;
  }
};

TEST_F(RunFixture, TickSkipsWhileHeldOrUnheard) {
  run.Start(1.0);
  EXPECT_EQ(run.SampleTick(100).kind, CMonitorRun::Tick::Kind::Skipped);
  state.m_bDataReceived = true;
  state.m_bHold = true;
  EXPECT_EQ(run.SampleTick(100).kind, CMonitorRun::Tick::Kind::Skipped);
  EXPECT_TRUE(live.IsEmpty());
  EXPECT_TRUE(run.Running());
}

TEST_F(RunFixture, LimitIsCheckedBeforeSampling) {
  Reading();
  run.m_nSampleLimit = 2;
  run.Start(0.1);
  EXPECT_EQ(run.SampleTick(1).kind, CMonitorRun::Tick::Kind::Sampled);
  EXPECT_EQ(run.SampleTick(2).kind, CMonitorRun::Tick::Kind::Sampled);
  CMonitorRun::Tick t = run.SampleTick(3);
  EXPECT_EQ(t.kind, CMonitorRun::Tick::Kind::LimitReached);
  EXPECT_EQ(live.GetSize(), 2u);
  EXPECT_TRUE(run.End(ERunEnd::SampleLimit));
  // A store that already holds more than the limit also ends at once.
  run.m_nSampleLimit = 1;
  run.Start(0.1);
  EXPECT_EQ(run.SampleTick(4).kind, CMonitorRun::Tick::Kind::LimitReached);
}

TEST_F(RunFixture, TickRecordsLevelUnitAndRate) {
  Reading();
  state.m_dLevel = 80.5;
  state.m_bWeightA = false;
  run.Start(2.5);
  CMonitorRun::Tick t = run.SampleTick(1765000000);
  EXPECT_EQ(t.nCount, 1u);
  EXPECT_TRUE(t.change.bMax);
  EXPECT_TRUE(t.change.bMin);
  EXPECT_EQ(live[0].m_strUnit, "dBC");
  EXPECT_EQ(live[0].m_nGroup, 0);
  EXPECT_DOUBLE_EQ(live[0].m_dSampleRate, 2.5);
  EXPECT_DOUBLE_EQ(live[0].m_dValue, 80.5);
  run.ClearSamples();
  EXPECT_TRUE(live.IsEmpty());
  EXPECT_EQ(run.m_stat.strStartTime, "");
  EXPECT_DOUBLE_EQ(run.m_stat.dSampleRate, 2.5); // the run's rate is kept
}

// A reading is sampled for max(1 s, twice the frame interval) after it was
// decoded; after that ticks record nothing (no copies of the last level)
// while the run goes on, and the next frame makes ticks sample again.
TEST_F(RunFixture, OnlyFreshReadingsAreSampled) {
  using namespace std::chrono_literals;
  const SteadyTime t0{std::chrono::seconds(500)};
  run.Start(0.1);
  state.m_bDataReceived = true;
  EXPECT_EQ(run.SampleTick(1, t0).kind, CMonitorRun::Tick::Kind::Skipped) << "no frame decoded yet";
  Reading(t0);
  EXPECT_EQ(run.SampleTick(1, t0 + 1s).kind, CMonitorRun::Tick::Kind::Sampled);
  EXPECT_EQ(run.SampleTick(2, t0 + 1s + 1ms).kind, CMonitorRun::Tick::Kind::Skipped);
  EXPECT_TRUE(run.Running());
  // a meter at 0.8 s per frame: a reading lasts 1.6 s
  timing.m_frameInterval = 800ms;
  EXPECT_EQ(run.SampleTick(2, t0 + 1600ms).kind, CMonitorRun::Tick::Kind::Sampled);
  EXPECT_EQ(run.SampleTick(2, t0 + 1700ms).kind, CMonitorRun::Tick::Kind::Skipped);
  Reading(t0 + 2s);
  EXPECT_EQ(run.SampleTick(3, t0 + 2s).kind, CMonitorRun::Tick::Kind::Sampled);
  EXPECT_EQ(live.GetSize(), 3u);
  run.End(ERunEnd::User);
  EXPECT_EQ(run.LastEnd(), ERunEnd::User);
}

TEST_F(RunFixture, SilenceNeedsTwoWholeSeconds) {
  state.m_bDataReceived = true;
  timing.m_tLastRecv = 1000;
  EXPECT_FALSE(run.SilenceCheck(1001, false).bSilent);
  run.Start(1);
  CMonitorRun::Silence s = run.SilenceCheck(1002, false);
  EXPECT_TRUE(s.bSilent);
  EXPECT_TRUE(s.bStopRun);
  EXPECT_FALSE(s.bAbandonDownload);
  run.End(ERunEnd::Silence);
  run.End(ERunEnd::User); // the window's Parar afterwards does not change why it ended
  EXPECT_EQ(run.LastEnd(), ERunEnd::Silence);
  // A clock set back does not count as silence.
  EXPECT_FALSE(run.SilenceCheck(900, false).bSilent);
}

TEST_F(RunFixture, DownloadEndsOnSilence) {
  timing.m_tLastRecv = 0;
  EXPECT_TRUE(run.SilenceCheck(5, true).bAbandonDownload);
  EXPECT_FALSE(run.SilenceCheck(6, false).bAbandonDownload);
}

} // namespace

namespace {

// Every figure follows every sample, and a stop leaves the whole run's.
TEST_F(RunFixture, NoiseFiguresFollowEverySample) {
  using namespace std::chrono_literals;
  const auto t0 = std::chrono::steady_clock::time_point{} + 1h;
  state.m_bDataReceived = true;
  run.Start(0.5);
  state.m_dLevel = 60.0;
  Reading(t0);
  run.SampleTick(1, t0);
  EXPECT_EQ(run.Noise().nCount, 1u);
  EXPECT_EQ(run.Noise().dL10, 60.0);
  state.m_dLevel = 70.0;
  Reading(t0 + 100ms);
  run.SampleTick(2, t0 + 100ms);
  EXPECT_NEAR(run.Noise().dLeq, 70 + 10 * std::log10(1.1 / 2), 1e-9);
  EXPECT_NEAR(run.Noise().dSel, run.Noise().dLeq, 1e-9); // two samples 0.5 s apart: one second
  EXPECT_EQ(run.Noise().dL10, 70.0);
  EXPECT_EQ(run.Noise().dL90, 60.0);
  EXPECT_EQ(run.NoiseLeqLabel(), "LAeq");
  state.m_bWeightA = false;
  state.m_dLevel = 80.0;
  Reading(t0 + 200ms);
  run.SampleTick(3, t0 + 200ms);
  EXPECT_EQ(run.NoiseLeqLabel(), "Leq");
  EXPECT_EQ(run.Noise().dL10, 80.0);
  EXPECT_EQ(run.Noise().dL50, 70.0);
  run.End(ERunEnd::User);
  EXPECT_EQ(run.Noise().dL10, 80.0);
  EXPECT_DOUBLE_EQ(run.Noise().dDurationSec, 1.5);
  run.ClearSamples();
  EXPECT_EQ(run.Noise().nCount, 0u);
}

// Levels no meter shows, too many distinct ones to follow: the percentiles
// are selected whole at most every 250 ms and again when the run stops.
TEST_F(RunFixture, PercentilesOfCountlessDistinctLevelsArePaced) {
  using namespace std::chrono_literals;
  const auto t0 = std::chrono::steady_clock::time_point{} + 1h;
  state.m_bDataReceived = true;
  run.m_nSampleLimit = 1 << 20;
  run.Start(0.5);
  for (std::size_t i = 0; i <= CExceededLevels::kMaxDistinct; ++i)
    live.Emplace(static_cast<double>(i) / 1000.0, "t", "dBA", 0, 0.5);
  state.m_dLevel = 0.0;
  Reading(t0);
  run.SampleTick(1, t0); // takes in the whole store
  const double dL10 = run.Noise().dL10;
  EXPECT_NEAR(dL10, CExceededLevels::kMaxDistinct / 1000.0 * 0.9, 0.01);
  state.m_dLevel = 1000.0;
  for (int k = 1; k <= 2; ++k) {
    Reading(t0 + k * 100ms);
    run.SampleTick(1 + k, t0 + k * 100ms);
  }
  EXPECT_EQ(run.Noise().dL10, dL10); // not yet
  Reading(t0 + 300ms);
  run.SampleTick(4, t0 + 300ms);
  EXPECT_GT(run.Noise().dL10, dL10);
  EXPECT_EQ(run.Noise().nCount, CExceededLevels::kMaxDistinct + 5);
}

// Samples put in the store some other way (a recovered run) are counted.
TEST_F(RunFixture, NoiseFiguresTakeInSamplesTheRunDidNotMake) {
  state.m_bDataReceived = true;
  run.Start(1.0);
  for (int i = 0; i < 9; ++i)
    live.Emplace(50.0, "t", "dBC", 0, 1.0);
  state.m_bWeightA = false;
  state.m_dLevel = 50.0;
  Reading();
  run.SampleTick(1);
  EXPECT_EQ(run.Noise().nCount, 10u);
  EXPECT_NEAR(run.Noise().dLeq, 50.0, 1e-9);
  EXPECT_EQ(run.NoiseLeqLabel(), "LCeq");
  EXPECT_DOUBLE_EQ(run.Noise().dDurationSec, 10.0);
}

} // namespace
