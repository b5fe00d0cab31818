#include "monitor/RegistoFlow.h"
#include "protocol/MeterState.h"
#include "records/SampleStore.h"
#include "support/ScriptedPrompts.h"

#include <QLabel>
#include <QPrinter>
#include <QProgressBar>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
constexpr int kTimeoutId = 4;

struct RegistoFixture : ::testing::Test {
  CMeterState state;
  CDataStores stores;
  CScriptedPrompts prompts;
  CTimerSet viewTimers{[](int) {}};
  std::vector<std::string> events; // what the flow did, in order
  std::vector<uint8_t> wire;
  std::unique_ptr<CRegistoFlow> flow;

  RegistoFixture() {
    state.m_bDataReceived = true;
    stores.m_log.Emplace(60.0, "07-12-2026,1:00:00", "dBA", 1, 1.0);
    stores.m_log.Emplace(61.0, "07-12-2026,1:00:01", "dBA", 1, 1.0);
    CRegistoFlow::Hooks h;
    h.write = [this](const uint8_t *p, std::size_t n) {
      wire.insert(wire.end(), p, p + n);
      return true;
    };
    h.releaseLoggerSelection = [this] {
      events.push_back("release with " + std::to_string(stores.m_log.GetSize()) + " records");
    };
    h.showDataLogger = [this] {
      events.push_back(std::string("show logger") + (state.m_bDownloading ? " while downloading" : ""));
    };
    h.beginDownload = [this] { events.push_back("group 0"); };
    flow = std::make_unique<CRegistoFlow>(state, stores.m_log, prompts, viewTimers, kTimeoutId, 250000, h,
                                          nullptr);
  }
  void Tick() { flow->OnTimer(CRegistoFlow::TIMER_LOG_REQUEST); }
  int Requests() const { return static_cast<int>(wire.size() / 2); }
};
} // namespace

TEST_F(RegistoFixture, RefusedDuringARunAndIgnoredWhileSilent) {
  state.m_bRunning = true;
  flow->OnRegisto();
  ASSERT_EQ(prompts.m_asked.size(), 1u);
  EXPECT_EQ(prompts.m_asked[0].text, "Please stop the Real Time Runing!");
  EXPECT_EQ(prompts.m_asked[0].caption, "Tip");
  EXPECT_EQ(stores.m_log.GetSize(), 2u);
  EXPECT_FALSE(state.m_bDownloading);

  state.m_bRunning = false;
  state.m_bDataReceived = false;
  flow->OnRegisto();
  EXPECT_EQ(prompts.m_asked.size(), 1u);
  EXPECT_EQ(stores.m_log.GetSize(), 2u);
  EXPECT_TRUE(wire.empty());
  EXPECT_TRUE(events.empty());
  EXPECT_FALSE(viewTimers.IsActive(kTimeoutId));
}

TEST_F(RegistoFixture, FullDownloadRequestsUntilTheHeaderThenShowsProgress) {
  state.m_bLogHeader = true; // left over from an earlier download
  flow->OnRegisto();
  EXPECT_TRUE(state.m_bDownloading);
  EXPECT_FALSE(state.m_bLogHeader);
  EXPECT_TRUE(stores.m_log.IsEmpty());
  // The window's selection goes before the records it points at.
  EXPECT_EQ(events, (std::vector<std::string>{"group 0", "release with 2 records"}));
  EXPECT_TRUE(viewTimers.IsActive(kTimeoutId));
  EXPECT_EQ(viewTimers.Interval(kTimeoutId), 250000);
  EXPECT_EQ(wire, (std::vector<uint8_t>{0x5A, 0xAC})); // at once
  Tick();
  Tick();
  EXPECT_EQ(Requests(), 3);
  EXPECT_FALSE(flow->Dialog().isVisible());

  state.m_bLogHeader = true;
  state.m_nLogSize = 102;
  state.m_nRecvBytes = 30;
  Tick();
  EXPECT_EQ(Requests(), 3); // the header stops the request
  EXPECT_TRUE(flow->Dialog().isVisible());
  EXPECT_EQ(flow->Dialog().Progress()->maximum(), 102);
  EXPECT_EQ(flow->Dialog().Progress()->value(), 30);
  flow->OnProgress(102, 80);
  EXPECT_EQ(flow->Dialog().Progress()->value(), 80);
  Tick();
  EXPECT_EQ(Requests(), 3);

  state.m_bDownloading = false; // the decoder finished
  flow->OnDownloadEnded();
  EXPECT_FALSE(flow->Dialog().isVisible());
  EXPECT_EQ(events.back(), "show logger");
  EXPECT_EQ(flow->CurrentPhase(), CRegistoFlow::Phase::Idle);
  EXPECT_TRUE(prompts.m_asked.empty());
}

TEST_F(RegistoFixture, EmptyLogEndsBeforeTheDialogIsShown) {
  flow->OnRegisto();
  // The header announced an empty log: the receive path ended download mode
  // within the same chunk.
  state.m_bLogHeader = true;
  state.m_bDownloading = false;
  flow->OnDownloadEnded();
  EXPECT_FALSE(flow->Dialog().isVisible());
  EXPECT_EQ(events.back(), "show logger");
  Tick();
  EXPECT_EQ(Requests(), 1);
  EXPECT_EQ(std::count(events.begin(), events.end(), "show logger"), 1);
}

TEST_F(RegistoFixture, EscInTheDialogEndsDownloadModeAtOnce) {
  flow->OnRegisto();
  state.m_bLogHeader = true;
  state.m_nLogSize = 5000;
  Tick();
  ASSERT_TRUE(flow->Dialog().isVisible());
  QTest::keyClick(&flow->Dialog(), Qt::Key_Escape);
  EXPECT_FALSE(flow->Dialog().isVisible());
  EXPECT_FALSE(state.m_bDownloading);
  EXPECT_EQ(events.back(), "show logger while downloading");
  // The end message that may follow changes nothing more.
  flow->OnDownloadEnded();
  EXPECT_EQ(std::count(events.begin(), events.end(), "show logger while downloading"), 1);
  EXPECT_EQ(events.size(), 3u);
}

TEST_F(RegistoFixture, SilentMeterBeforeTheHeaderStillOpensTheWindow) {
  flow->OnRegisto();
  Tick();
  // The view's silence check: end message, download mode off (its own
  // "Occur an error" box is the view's).
  flow->OnDownloadEnded();
  EXPECT_EQ(events.back(), "show logger while downloading");
  EXPECT_FALSE(state.m_bDownloading);
  Tick();
  EXPECT_EQ(Requests(), 2);
  // A watchdog that only cleared the flag is noticed by the next tick.
  flow->OnRegisto();
  ASSERT_EQ(flow->CurrentPhase(), CRegistoFlow::Phase::Requesting);
  state.m_bDownloading = false;
  Tick();
  EXPECT_EQ(flow->CurrentPhase(), CRegistoFlow::Phase::Idle);
  EXPECT_EQ(events.back(), "show logger");
}

TEST_F(RegistoFixture, SecondRegistoWhileOneIsUnderWayIsIgnored) {
  flow->OnRegisto();
  stores.m_log.Emplace(70.0, "07-12-2026,1:00:00", "dBA", 1, 1.0);
  flow->OnRegisto();
  EXPECT_EQ(stores.m_log.GetSize(), 1u);
  EXPECT_EQ(Requests(), 1);
}

TEST(LogState, TextBarAndClampedProgress) {
  CLogState dlg;
  QLabel *label = dlg.findChild<QLabel *>();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), "Aceitando dados! Aguardar.......");
  ASSERT_NE(dlg.Progress(), nullptr);
  EXPECT_EQ(dlg.Progress()->objectName(), "ctl1057");
  EXPECT_TRUE(dlg.windowFlags() & Qt::FramelessWindowHint);
  dlg.SetRange(-96); // a length word below the overhead
  EXPECT_EQ(dlg.Progress()->maximum(), 0);
  dlg.SetRange(102);
  dlg.SetPos(500);
  EXPECT_EQ(dlg.Progress()->value(), 102);
}
