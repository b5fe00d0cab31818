// Whole sessions against the simulated meter on a pseudo-terminal, without
// a display, in compressed time.
#include "meter/CommandSet.h"
#include "session/PtySessionRig.h"

#include <cmath>

namespace {

using Ms = std::chrono::milliseconds;
using S = CMeterSession;

class SessionPtyTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(rig.PlugIn());
    rig.Session().Begin();
    ASSERT_TRUE(rig.RunFor(Ms{1000}));
  }
  CPtySessionRig rig;
};

TEST_F(SessionPtyTest, DiscoveryFindsAndOpensTheMeterAndItsFramesAreDecoded) {
  ASSERT_FALSE(rig.m_log.m_connections.empty());
  const SConnection &c = rig.m_log.m_connections.back();
  EXPECT_EQ(c.eState, ELinkState::Sending);
  EXPECT_EQ(c.nPort, rig.SlaveNumber());
  EXPECT_EQ(rig.Session().Port(), rig.SlaveNumber());
  EXPECT_TRUE(rig.Session().MeterHeard());
  EXPECT_GT(rig.Session().Timing().m_nFramesDecoded, 0u);
  EXPECT_TRUE(rig.Session().Reading().m_bFast) << "the simulated meter starts FAST";
}

TEST_F(SessionPtyTest, ARunSamplesTheLevelsTheMeterShows) {
  rig.m_sim.SetLevelSource(CLevelSource::Steps(40.0, 1.0, 200)); // one more dB each frame
  ASSERT_TRUE(rig.RunFor(Ms{500}));
  ASSERT_TRUE(rig.Session().StartRun(0.5));
  EXPECT_EQ(rig.m_log.m_start.nIntervalMs, 500);
  ASSERT_TRUE(rig.RunFor(Ms{5000}));
  rig.Session().StopRun();
  const std::vector<double> &v = rig.m_log.m_levels;
  ASSERT_EQ(v.size(), 10u);
  for (std::size_t i = 1; i < v.size(); ++i)
    EXPECT_DOUBLE_EQ(v[i] - v[i - 1], 2.0) << "two frames per sample at 0.5 s and 4 frames/s";
  EXPECT_EQ(rig.m_stores.m_live.GetSize(), 10u);
  EXPECT_EQ(rig.m_log.m_events.back(), Ended(ERunEnd::User));
}

TEST_F(SessionPtyTest, ADownloadGivesTheMetersRecordings) {
  CSimRecording a;
  a.m_nYear = 2026;
  a.m_nMonth = 12;
  a.m_nDay = 7;
  a.m_nHour = 14;
  a.m_nMinute = 30;
  a.m_levels = {55.5, 56.0, 57.3, 58.0};
  CSimRecording b = a;
  b.m_bWeightA = false;
  b.m_nHour = 15;
  b.m_levels = {80.0, 81.5};
  rig.m_sim.SetRecordings({a, b});
  ASSERT_EQ(rig.Session().Download(), S::EDownloadStart::Started);
  ASSERT_TRUE(rig.RunFor(Ms{3000}));
  EXPECT_EQ(rig.m_log.m_events.back(), Ended(EDownloadEnd::Complete));
  const CSampleStore &log = rig.m_stores.m_log;
  ASSERT_EQ(log.GetSize(), 6u);
  EXPECT_DOUBLE_EQ(log[2].m_dValue, 57.3);
  EXPECT_EQ(log[0].m_strUnit, "dBA");
  EXPECT_EQ(log[5].m_strUnit, "dBC");
  EXPECT_DOUBLE_EQ(log[5].m_dValue, 81.5);
  EXPECT_NE(log[0].m_nGroup, log[4].m_nGroup);
  EXPECT_GE(rig.m_sim.RequestsReceived(), 1);
  EXPECT_TRUE(rig.Session().MeterHeard()) << "live frames go on after the download";
}

TEST_F(SessionPtyTest, AHangUpStopsTheRunKeepsTheSamplesAndAnArrivalReopensThePort) {
  ASSERT_TRUE(rig.Session().StartRun(0.5));
  ASSERT_TRUE(rig.RunFor(Ms{3000}));
  std::vector<double> before = rig.m_log.m_levels;
  ASSERT_GE(before.size(), 5u);

  rig.Unplug();
  ASSERT_TRUE(rig.RunFor(Ms{4000}));
  EXPECT_FALSE(rig.Session().Running());
  EXPECT_TRUE(rig.m_log.Has(Ended(ERunEnd::HangUp)));
  EXPECT_FALSE(rig.Session().MeterHeard());
  EXPECT_FALSE(rig.m_link.IsOpen());
  const CSampleStore &live = rig.m_stores.m_live;
  ASSERT_GE(live.GetSize(), before.size());
  for (std::size_t i = 0; i < before.size(); ++i)
    EXPECT_DOUBLE_EQ(live[i].m_dValue, before[i]) << "a sample taken was lost";
  const std::size_t nKept = live.GetSize();

  ASSERT_TRUE(rig.PlugIn());
  rig.Session().OnDeviceArrived();
  ASSERT_TRUE(rig.RunFor(Ms{1000}));
  EXPECT_TRUE(rig.m_link.IsOpen());
  EXPECT_TRUE(rig.Session().MeterHeard());
  EXPECT_EQ(rig.m_log.m_connections.back().eState, ELinkState::Sending);
  EXPECT_EQ(rig.Session().Port(), rig.SlaveNumber());
  EXPECT_EQ(live.GetSize(), nKept) << "reopening touched the samples";
}

TEST_F(SessionPtyTest, AKeyRepeatsAtItsIntervalUntilTheMeterShowsItsEffect) {
  ASSERT_TRUE(rig.Session().Reading().m_bFast);
  rig.m_sim.IgnoreNextKeys(2);
  const Ms t0 = rig.m_clock.m_now;
  ASSERT_TRUE(rig.Session().PressKey(kKeyFastSlow));
  ASSERT_TRUE(rig.RunFor(Ms{4000}));
  EXPECT_FALSE(rig.Session().Reading().m_bFast);
  ASSERT_EQ(rig.m_received.size(), 3u) << "two missed presses, then the one that took";
  EXPECT_EQ(rig.m_received[0].time, t0) << "the first send goes out with the press";
  for (std::size_t i = 0; i < rig.m_received.size(); ++i) {
    EXPECT_EQ(rig.m_received[i].byte, 0x77);
    if (i > 0) {
      EXPECT_GE((rig.m_received[i].time - rig.m_received[i - 1].time).count(), 600);
    }
  }
  EXPECT_FALSE(rig.Session().Timers().IsActive(S::TIMER_KEY_FIRST));
}

TEST_F(SessionPtyTest, StopToAMeterThatGoesOffGoesOutOnceAndEndsWithTheSilence) {
  ASSERT_TRUE(rig.Session().PressKey(kKeyStop));
  ASSERT_TRUE(rig.RunFor(Ms{6000}));
  EXPECT_FALSE(rig.Session().MeterHeard());
  EXPECT_EQ(rig.m_received.size(), 1u) << "no frame came to show Stop failed";
  EXPECT_FALSE(rig.Session().Timers().IsActive(S::TIMER_KEY_FIRST));
  EXPECT_FALSE(rig.Session().PressKey(kKeyStop)) << "a key went to a silent meter";
}

} // namespace
