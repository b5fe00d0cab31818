// A session that nobody watches: a run that keeps no samples and waits
// through the meter's absences, and ports brought back without a device
// watcher.
#include "files/TempDir.h"
#include "session/PtySessionRig.h"

#include <filesystem>

namespace {

using Ms = std::chrono::milliseconds;
using S = CMeterSession;

SRunOptions Unattended() {
  SRunOptions o;
  o.bKeepSamples = false;
  o.bEndWithMeter = false;
  return o;
}

// What each sample of a run said about itself.
struct CSampleLog : ISessionObserver {
  std::vector<std::size_t> counts;
  std::vector<double> rates;
  void OnSampleTaken(const SSample &s) override {
    counts.push_back(s.nCount);
    rates.push_back(s.rec.m_dSampleRate);
  }
};

TEST(SessionUnattended, ARunKeepsNothingHasNoLimitAndOutlastsHoldSilenceAndAHangUp) {
  CTempDir dir;
  CPtySessionRig rig;
  CSampleLog samples;
  rig.Session().AddObserver(samples);
  ASSERT_TRUE(rig.PlugIn());
  rig.m_sim.SetLevelSource(CLevelSource::Steps(40.0, 1.0, 200));
  const std::string link = dir.File("meter");
  std::filesystem::create_symlink(rig.SlavePath(), link);
  rig.Session().SetRetryPeriod(Ms{1000});
  rig.Session().SetSampleLimit(3);
  ASSERT_TRUE(rig.Session().ChooseDevice(link));
  ASSERT_TRUE(rig.Session().StartRun(0.5, Unattended())) << "it may start before the meter is heard";
  EXPECT_EQ(rig.m_log.m_start.nSampleLimit, 0);
  ASSERT_TRUE(rig.RunFor(Ms{4000}));
  const std::size_t nHeard = rig.m_log.m_levels.size();
  ASSERT_GE(nHeard, 6u) << "past the sample limit";
  EXPECT_TRUE(rig.m_stores.m_live.IsEmpty());
  for (std::size_t i = 0; i < samples.counts.size(); ++i)
    EXPECT_EQ(samples.counts[i], i + 1);
  EXPECT_EQ(samples.rates, std::vector<double>(samples.counts.size(), 0.5));
  EXPECT_EQ(rig.Session().Stat().strStartTime, "") << "the store's statistics were touched";
  EXPECT_EQ(rig.Session().Stat().dSampleRate, 0.0);

  // HOLD: nothing is recorded, the run goes on and samples again after.
  rig.m_sim.SetHold(true);
  ASSERT_TRUE(rig.RunFor(Ms{1000}));
  const std::size_t nHeld = rig.m_log.m_levels.size();
  ASSERT_TRUE(rig.RunFor(Ms{2000}));
  EXPECT_EQ(rig.m_log.m_levels.size(), nHeld);
  rig.m_sim.SetHold(false);
  ASSERT_TRUE(rig.RunFor(Ms{2000}));
  EXPECT_GT(rig.m_log.m_levels.size(), nHeld);

  // Silent: the same, told as silence.
  rig.m_sim.PowerOff();
  ASSERT_TRUE(rig.RunFor(Ms{1500}));
  const std::size_t nQuiet = rig.m_log.m_levels.size();
  ASSERT_TRUE(rig.RunFor(Ms{3000}));
  EXPECT_EQ(rig.m_log.m_levels.size(), nQuiet);
  EXPECT_TRUE(rig.m_log.Has("silent"));
  EXPECT_EQ(rig.m_log.LastState(), ELinkState::Silent);
  rig.m_sim.PowerOn();
  ASSERT_TRUE(rig.RunFor(Ms{2000}));
  EXPECT_GT(rig.m_log.m_levels.size(), nQuiet);
  EXPECT_EQ(rig.m_log.LastState(), ELinkState::Sending);

  // Unplugged: not one more sample of the last reading, and the run waits.
  const std::size_t nBefore = rig.m_log.m_levels.size();
  rig.Unplug();
  ASSERT_TRUE(rig.RunFor(Ms{5000}));
  EXPECT_EQ(rig.m_log.m_levels.size(), nBefore);
  EXPECT_TRUE(rig.Session().Running());
  for (const std::string &e : rig.m_log.m_events)
    EXPECT_EQ(e.rfind("run ended", 0), std::string::npos) << e;
  EXPECT_FALSE(rig.m_link.IsOpen());

  // The same path, pointing at the meter's new node, is opened by itself.
  ASSERT_TRUE(rig.PlugIn());
  std::filesystem::remove(link);
  std::filesystem::create_symlink(rig.SlavePath(), link);
  ASSERT_TRUE(rig.RunFor(Ms{3000}));
  EXPECT_TRUE(rig.m_link.IsOpen());
  EXPECT_EQ(rig.m_log.m_connections.back().eState, ELinkState::Sending);
  EXPECT_EQ(rig.m_log.m_connections.back().strDevice, link);
  EXPECT_GE(rig.m_log.m_levels.size(), nBefore + 2);
  EXPECT_TRUE(rig.m_stores.m_live.IsEmpty());
  rig.Session().RemoveObserver(samples);
}

TEST(SessionUnattended, AWindowsRunStillEndsOnHold) {
  CPtySessionRig rig;
  ASSERT_TRUE(rig.PlugIn());
  rig.Session().Begin();
  ASSERT_TRUE(rig.RunFor(Ms{1000}));
  ASSERT_TRUE(rig.Session().StartRun(0.5));
  ASSERT_TRUE(rig.RunFor(Ms{1500}));
  rig.m_sim.SetHold(true);
  ASSERT_TRUE(rig.RunFor(Ms{1000}));
  EXPECT_FALSE(rig.Session().Running());
  EXPECT_EQ(rig.m_log.m_events.back(), Ended(ERunEnd::HoldSignal));
  EXPECT_GT(rig.m_stores.m_live.GetSize(), 0u);
}

TEST_F(SessionFixture, WithARetryPeriodDiscoveryRunsAgainUntilABridgeIsThereAndAfterItGoes) {
  m_session.SetRetryPeriod(Ms{1000});
  Fire(S::TIMER_DISCOVER);
  EXPECT_EQ(m_log.LastState(), ELinkState::NoMeterFound);
  EXPECT_EQ(DueInMs(S::TIMER_DISCOVER), 1000);
  Fire(S::TIMER_DISCOVER);
  EXPECT_EQ(m_link.m_nDiscoveries, 2);
  EXPECT_EQ(m_log.m_connections.size(), 1u) << "told once, not at every search";
  m_link.m_bridgePorts = {4};
  Fire(S::TIMER_DISCOVER);
  EXPECT_FALSE(Active(S::TIMER_DISCOVER));
  Fire(S::TIMER_OPEN_PORT);
  EXPECT_EQ(m_log.LastState(), ELinkState::Open);

  // A port that cannot be opened is searched for again, as is one that goes away.
  m_link.Unplug();
  m_link.m_bridgePorts.clear();
  Fire(S::TIMER_SILENCE);
  EXPECT_EQ(m_log.LastState(), ELinkState::Closed);
  EXPECT_EQ(DueInMs(S::TIMER_DISCOVER), 1000);
  m_link.m_bridgePorts = {5};
  m_link.m_openFailures[5] = "busy";
  Fire(S::TIMER_DISCOVER);
  Fire(S::TIMER_OPEN_PORT);
  EXPECT_EQ(m_log.LastState(), ELinkState::OpenFailed);
  EXPECT_EQ(DueInMs(S::TIMER_DISCOVER), 1000);
  m_link.m_openFailures.clear();
  Fire(S::TIMER_DISCOVER);
  Fire(S::TIMER_OPEN_PORT);
  EXPECT_EQ(m_link.m_opened, (std::vector<int>{4, 5, 5}));
  EXPECT_EQ(m_log.LastState(), ELinkState::Open);
}

TEST_F(SessionFixture, AChosenDevicePathIsOpenedAgainEachPeriodUntilClosedByHand) {
  const std::string path = "/dev/serial/by-id/usb-meter-if00-port0";
  m_link.m_pathFailures[path] = "No such file or directory";
  m_session.SetRetryPeriod(Ms{1000});
  EXPECT_FALSE(m_session.ChooseDevice(path));
  ASSERT_EQ(m_log.LastState(), ELinkState::OpenFailed);
  EXPECT_EQ(m_log.m_connections.back().strDevice, path);
  EXPECT_EQ(m_log.m_connections.back().nPort, -1);
  EXPECT_EQ(m_log.m_connections.back().strReason, "No such file or directory");
  EXPECT_EQ(DueInMs(S::TIMER_OPEN_PORT), 1000);
  Fire(S::TIMER_OPEN_PORT);
  m_link.m_pathFailures.clear();
  Fire(S::TIMER_OPEN_PORT);
  EXPECT_EQ(m_link.m_openedPaths, std::vector<std::string>(3, path));
  EXPECT_TRUE(m_link.m_opened.empty()) << "a port by number was opened";
  EXPECT_EQ(m_log.LastState(), ELinkState::Open);
  EXPECT_FALSE(Active(S::TIMER_OPEN_PORT));

  m_link.Unplug();
  Fire(S::TIMER_SILENCE);
  EXPECT_EQ(DueInMs(S::TIMER_OPEN_PORT), 1000);
  m_session.ClosePort();
  EXPECT_FALSE(Active(S::TIMER_OPEN_PORT));
  EXPECT_FALSE(Active(S::TIMER_DISCOVER));
}

} // namespace
