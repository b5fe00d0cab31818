#include "monitor/ViewFixture.h"

namespace {

using V = CMyVomoView;

TEST_F(ViewFixture, FirstDiscoveryRunsAfter100msAndOpensTheFirstBridge200msLater) {
  EXPECT_EQ(m_pView->Timers().Interval(V::TIMER_DISCOVER), 100);
  EXPECT_TRUE(m_pView->Timers().IsActive(V::TIMER_DISCOVER));
  m_pLink->m_bridgePorts = {12, 3};
  m_pView->OnTimer(V::TIMER_DISCOVER);
  EXPECT_FALSE(m_pView->Timers().IsActive(V::TIMER_DISCOVER));
  EXPECT_EQ(m_pView->FoundPort(), 12);
  EXPECT_EQ(m_pView->Timers().Interval(V::TIMER_OPEN_PORT), 200);
  EXPECT_EQ(m_pView->Timers().Interval(V::TIMER_SILENCE), 1000);
  EXPECT_TRUE(m_pLink->m_opened.empty());
  m_pView->OnTimer(V::TIMER_OPEN_PORT);
  EXPECT_FALSE(m_pView->Timers().IsActive(V::TIMER_OPEN_PORT));
  ASSERT_EQ(m_pLink->m_opened, std::vector<int>{12});
  EXPECT_TRUE(m_prompts.m_asked.empty());
}

TEST_F(ViewFixture, ChunksFromTheReaderThreadReachTheViewThroughTheEventLoop) {
  m_pLink->m_bridgePorts = {4};
  m_pView->OnTimer(V::TIMER_DISCOVER);
  m_pView->OnTimer(V::TIMER_OPEN_PORT);
  ASSERT_TRUE(m_pLink->m_onChunk);
  const std::uint8_t bytes[] = {0xa5, 0x0d};
  std::thread reader([&] { m_pLink->m_onChunk(bytes, 2); });
  reader.join();
  EXPECT_FALSE(m_pView->MeterState().m_bDataReceived); // queued, not yet delivered
  QCoreApplication::processEvents();
  EXPECT_TRUE(m_pView->MeterState().m_bDataReceived);
}

TEST_F(ViewFixture, NothingFoundMeansNothingOpenedAndNoMessage) {
  m_pView->OnTimer(V::TIMER_DISCOVER);
  EXPECT_EQ(m_pLink->m_nDiscoveries, 1);
  EXPECT_FALSE(m_pView->Timers().IsActive(V::TIMER_OPEN_PORT));
  EXPECT_FALSE(m_pView->Timers().IsActive(V::TIMER_DISCOVER));
  EXPECT_TRUE(m_prompts.m_asked.empty());
}

TEST_F(ViewFixture, OpenFailureNamesThePortAndTheReason) {
  m_pLink->m_bridgePorts = {7};
  m_pLink->m_openFailures[7] = "Permission denied on /dev/ttyUSB7: add yourself to the dialout group.";
  m_pView->OnTimer(V::TIMER_DISCOVER);
  m_pView->OnTimer(V::TIMER_OPEN_PORT);
  ASSERT_EQ(m_prompts.Messages().size(), 1u);
  EXPECT_EQ(
      m_prompts.Messages()[0],
      "Warning:Can't open COM7!\nPermission denied on /dev/ttyUSB7: add yourself to the dialout group.");
  EXPECT_FALSE(m_pView->OpenPort(7));
}

TEST_F(ViewFixture, DeviceArrivalsRediscoverOnlyInAutomaticMode) {
  m_pView->OnTimer(V::TIMER_DISCOVER);
  m_pView->OnDeviceArrived();
  EXPECT_EQ(m_pView->Timers().Interval(V::TIMER_DISCOVER), 100);
  m_pView->OnTimer(V::TIMER_DISCOVER);
  EXPECT_EQ(m_pLink->m_nDiscoveries, 2);
  EXPECT_FALSE(m_pView->Timers().IsActive(V::TIMER_DISCOVER)); // nothing found, no retry

  m_pView->SetPortDialog([](int) { return std::nullopt; });
  m_pView->OnPortManual();
  m_pView->OnDeviceArrived();
  EXPECT_FALSE(m_pView->Timers().IsActive(V::TIMER_DISCOVER));
}

TEST_F(ViewFixture, ManualPortOpensTheTypedNumberWithoutStoringIt) {
  m_pLink->m_bridgePorts = {5};
  m_pView->OnTimer(V::TIMER_DISCOVER);
  EXPECT_TRUE(Enabled(32816) && m_commands.Action(32816)->isChecked());
  int nPreset = -1;
  m_pView->SetPortDialog([&](int n) -> std::optional<int> {
    nPreset = n;
    return std::nullopt;
  });
  m_pView->OnPortManual();
  EXPECT_EQ(nPreset, 3);
  EXPECT_FALSE(m_pView->IsAutoPort());
  m_commands.Update();
  EXPECT_TRUE(m_commands.Action(32815)->isChecked());
  EXPECT_FALSE(m_commands.Action(32816)->isChecked());
  EXPECT_TRUE(m_pLink->m_opened.empty());

  m_pView->SetPortDialog([](int) { return 9; });
  m_pView->OnPortManual();
  EXPECT_EQ(m_pLink->m_opened, std::vector<int>{9});
  EXPECT_EQ(m_pView->FoundPort(), 5);

  m_pView->OnPortAuto(); // searches at once
  EXPECT_TRUE(m_pView->IsAutoPort());
  EXPECT_EQ(m_pLink->m_nDiscoveries, 2);
  EXPECT_EQ(m_pView->Timers().Interval(V::TIMER_OPEN_PORT), 200);
}

} // namespace

namespace {

TEST_F(ViewFixture, RemoteKeysGoOutOnlyWhileTheMeterIsHeard) {
  m_pLink->m_bridgePorts = {4};
  m_pView->OnTimer(CMyVomoView::TIMER_DISCOVER);
  m_pView->OnTimer(CMyVomoView::TIMER_OPEN_PORT);
  m_pView->OnMeterKey(1); // nothing heard yet
  EXPECT_TRUE(m_pLink->m_written.empty());
  Hear();
  m_pView->OnMeterKey(1);
  ASSERT_FALSE(m_pLink->m_written.empty());
  EXPECT_EQ(m_pLink->m_written[0], 0x55);
}

TEST_F(ViewFixture, HoldSignalFromTheMeterStopsTheRun) {
  Hear();
  m_pView->OnRun();
  Tick();
  const QByteArray held("\xa5\x0d\x06\x52\xff", 5);
  m_pView->OnChunk(held);
  EXPECT_TRUE(m_pView->MeterState().m_bHold);
  EXPECT_FALSE(m_pView->MeterState().m_bRunning);
  EXPECT_FALSE(m_pView->Timers().IsActive(CMyVomoView::TIMER_SAMPLE));
  EXPECT_TRUE(Rate()->isEnabled());
  EXPECT_EQ(m_stores.m_live.GetSize(), 1u);
}

} // namespace

namespace {

TEST_F(ViewFixture, ArrivalDuringASearchGivesOneMoreSearchOnlyWhenNothingWasFound) {
  m_pLink->m_duringSearch = [this] { m_pView->OnDeviceArrived(); };
  m_pView->OnTimer(CMyVomoView::TIMER_DISCOVER);
  EXPECT_EQ(m_pView->Timers().Interval(CMyVomoView::TIMER_DISCOVER), 500);
  m_pLink->m_duringSearch = nullptr;
  m_pView->OnTimer(CMyVomoView::TIMER_DISCOVER);
  EXPECT_EQ(m_pLink->m_nDiscoveries, 2);
  EXPECT_FALSE(m_pView->Timers().IsActive(CMyVomoView::TIMER_DISCOVER)); // exactly one more

  m_pLink->m_bridgePorts = {3};
  m_pLink->m_duringSearch = [this] { m_pView->OnDeviceArrived(); };
  m_pView->OnTimer(CMyVomoView::TIMER_DISCOVER);
  EXPECT_FALSE(m_pView->Timers().IsActive(CMyVomoView::TIMER_DISCOVER));
  EXPECT_TRUE(m_pView->Timers().IsActive(CMyVomoView::TIMER_OPEN_PORT));
}

} // namespace
