// Port selection: discovery, the delayed open, arrivals and failed opens.
#include "session/SessionFixture.h"

namespace {

TEST_F(SessionFixture, FirstDiscoveryRunsAfter100msAndOpensTheFirstBridge200msLater) {
  EXPECT_EQ(DueInMs(S::TIMER_DISCOVER), 100);
  EXPECT_EQ(m_sched.m_due, Ms{100}) << "the driver is asked to wake the session then";
  m_link.m_bridgePorts = {12, 3};
  Fire(S::TIMER_DISCOVER);
  EXPECT_FALSE(Active(S::TIMER_DISCOVER));
  EXPECT_EQ(m_session.Port(), 12);
  EXPECT_EQ(DueInMs(S::TIMER_OPEN_PORT), 200);
  EXPECT_EQ(IntervalMs(S::TIMER_SILENCE), 1000);
  EXPECT_TRUE(m_link.m_opened.empty());
  Fire(S::TIMER_OPEN_PORT);
  EXPECT_FALSE(Active(S::TIMER_OPEN_PORT));
  ASSERT_EQ(m_link.m_opened, std::vector<int>{12});
  EXPECT_EQ(m_log.LastState(), ELinkState::Open);
  EXPECT_EQ(m_log.m_connections.back().nPort, 12);
  Hear();
  EXPECT_EQ(m_log.LastState(), ELinkState::Sending);
}

TEST_F(SessionFixture, NothingFoundMeansNothingOpenedAndNoFailure) {
  Fire(S::TIMER_DISCOVER);
  EXPECT_EQ(m_link.m_nDiscoveries, 1);
  EXPECT_FALSE(Active(S::TIMER_OPEN_PORT));
  EXPECT_FALSE(Active(S::TIMER_DISCOVER));
  EXPECT_EQ(m_log.LastState(), ELinkState::NoMeterFound);
  EXPECT_EQ(m_sched.m_due, std::nullopt) << "nothing left to wake for";
}

TEST_F(SessionFixture, OpenFailureIsReportedWithThePortAndTheReasonEachTime) {
  m_link.m_bridgePorts = {7};
  m_link.m_openFailures[7] = "Permission denied on /dev/ttyUSB7: add yourself to the dialout group.";
  Fire(S::TIMER_DISCOVER);
  Fire(S::TIMER_OPEN_PORT);
  ASSERT_EQ(m_log.LastState(), ELinkState::OpenFailed);
  EXPECT_EQ(m_log.m_connections.back().nPort, 7);
  EXPECT_EQ(m_log.m_connections.back().strReason, m_link.m_openFailures[7]);
  const std::size_t n = m_log.m_connections.size();
  EXPECT_FALSE(m_session.ChoosePort(7));
  EXPECT_EQ(m_log.m_connections.size(), n + 1);
}

TEST_F(SessionFixture, DeviceArrivalsRediscoverOnlyInAutomaticMode) {
  Fire(S::TIMER_DISCOVER);
  m_session.OnDeviceArrived();
  EXPECT_EQ(DueInMs(S::TIMER_DISCOVER), 100);
  Fire(S::TIMER_DISCOVER);
  EXPECT_EQ(m_link.m_nDiscoveries, 2);
  EXPECT_FALSE(Active(S::TIMER_DISCOVER)); // nothing found, no retry

  m_session.SetManualPort();
  m_session.OnDeviceArrived();
  EXPECT_FALSE(Active(S::TIMER_DISCOVER));
}

TEST_F(SessionFixture, ManualPortOpensTheChosenNumberWithoutStoringIt) {
  m_link.m_bridgePorts = {5};
  Fire(S::TIMER_DISCOVER);
  EXPECT_TRUE(m_session.IsAutoPort());
  EXPECT_TRUE(m_session.ChoosePort(9));
  EXPECT_FALSE(m_session.IsAutoPort());
  EXPECT_EQ(m_link.m_opened, std::vector<int>{9});
  EXPECT_EQ(m_session.Port(), 5);

  m_session.SetAutoPort(); // searches at once
  EXPECT_TRUE(m_session.IsAutoPort());
  EXPECT_EQ(m_link.m_nDiscoveries, 2);
  EXPECT_EQ(DueInMs(S::TIMER_OPEN_PORT), 200);
}

TEST_F(SessionFixture, ArrivalDuringASearchGivesOneMoreSearchOnlyWhenNothingWasFound) {
  m_link.m_duringSearch = [this] { m_session.OnDeviceArrived(); };
  Fire(S::TIMER_DISCOVER);
  EXPECT_EQ(DueInMs(S::TIMER_DISCOVER), 500);
  m_link.m_duringSearch = nullptr;
  Fire(S::TIMER_DISCOVER);
  EXPECT_EQ(m_link.m_nDiscoveries, 2);
  EXPECT_FALSE(Active(S::TIMER_DISCOVER)); // exactly one more

  m_link.m_bridgePorts = {3};
  m_link.m_duringSearch = [this] { m_session.OnDeviceArrived(); };
  m_session.OnDeviceArrived();
  Fire(S::TIMER_DISCOVER);
  EXPECT_FALSE(Active(S::TIMER_DISCOVER));
  EXPECT_TRUE(Active(S::TIMER_OPEN_PORT));
}

TEST_F(SessionFixture, AFreshNodeThatCannotOpenYetIsTriedAgainWhenTheLinkSaysSo) {
  m_link.m_bridgePorts = {6};
  m_link.m_nRetryMs = 250;
  Fire(S::TIMER_DISCOVER);
  Fire(S::TIMER_OPEN_PORT);
  EXPECT_EQ(DueInMs(S::TIMER_OPEN_PORT), 250);
  EXPECT_TRUE(m_log.m_connections.empty() || m_log.LastState() != ELinkState::OpenFailed);
  m_link.m_nRetryMs = 0;
  Fire(S::TIMER_OPEN_PORT);
  EXPECT_EQ(m_link.m_opened, (std::vector<int>{6, 6}));
  EXPECT_EQ(m_log.LastState(), ELinkState::Open);
}

TEST_F(SessionFixture, RemoteKeysGoOutOnlyWhileTheMeterIsHeardAndEndWithThePort) {
  m_link.m_bridgePorts = {4};
  Fire(S::TIMER_DISCOVER);
  Fire(S::TIMER_OPEN_PORT);
  EXPECT_FALSE(m_session.PressKey(1)); // nothing heard yet
  EXPECT_TRUE(m_link.m_written.empty());
  Hear();
  ASSERT_TRUE(m_session.PressKey(1));
  ASSERT_EQ(m_link.m_written, std::vector<std::uint8_t>{0x55});
  EXPECT_EQ(IntervalMs(S::TIMER_KEY_FIRST), 600);
  m_session.ClosePort();
  EXPECT_FALSE(Active(S::TIMER_KEY_FIRST));
  EXPECT_EQ(m_log.LastState(), ELinkState::Closed);
}

// A meter unplugged and plugged back before the silence check: the port
// opened again says "sending" only once bytes come through it.
TEST_F(SessionFixture, APortOpenedAgainIsSendingOnlyWhenItsFirstBytesCome) {
  OpenPort(4);
  Hear();
  ASSERT_EQ(m_log.LastState(), ELinkState::Sending);
  m_link.Unplug();
  m_clock.m_now += Ms{1000};
  m_session.Advance(m_clock.m_now); // the silence check sees the port gone
  ASSERT_EQ(m_log.LastState(), ELinkState::Closed);
  ASSERT_TRUE(m_session.ChoosePort(4));
  EXPECT_EQ(m_log.LastState(), ELinkState::Open);
  Hear();
  EXPECT_EQ(m_log.LastState(), ELinkState::Sending);
}

} // namespace
