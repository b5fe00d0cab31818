#include "monitor/RegistoFlow.h"
#include "monitor/MeterStatus.h"
#include "records/SampleStore.h"
#include "session/SessionFixture.h"
#include "sim/SimWire.h"
#include "support/FakeMeterLink.h"
#include "support/FakeSessionClock.h"
#include "support/ScriptedPrompts.h"

#include <QLabel>
#include <QPrinter>
#include <QProgressBar>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct RegistoFixture : ::testing::Test {
  CFakeSessionClock clock;
  CFakeScheduler sched;
  CFakeMeterLink link;
  CDataStores stores;
  CScriptedPrompts prompts;
  CMeterSession session{{link, stores, clock, sched, [](const std::uint8_t *, std::size_t) {}}};
  std::vector<std::string> events; // what the flow did, in order
  std::unique_ptr<CRegistoFlow> flow;

  RegistoFixture() {
    stores.m_log.Emplace(60.0, "07-12-2026,1:00:00", "dBA", 1, 1.0);
    CRegistoFlow::Hooks h;
    h.releaseLoggerSelection = [this] {
      events.push_back("release with " + std::to_string(stores.m_log.GetSize()) + " records");
    };
    h.showDataLogger = [this] {
      events.push_back("show logger with " + std::to_string(stores.m_log.GetSize()) + " records");
    };
    flow = std::make_unique<CRegistoFlow>(session, prompts, h, nullptr);
    const std::uint8_t start[] = {0xa5, 0x0d};
    session.OnChunk(start, sizeof start);
  }
  void Feed(const std::vector<std::uint8_t> &bytes, std::size_t nFrom, std::size_t nTo) {
    for (std::size_t i = nFrom; i < nTo; i += 20)
      session.OnChunk(bytes.data() + i, std::min<std::size_t>(20, nTo - i));
  }
  static std::vector<std::uint8_t> Download() {
    CSimRecording a;
    a.m_levels = {60.1, 61.2, 62.3};
    CSimRecording b = a;
    b.m_nMinute = 30;
    b.m_levels = {70.0, 71.5, 72.0, 73.0, 74.0};
    return sim::BuildDownload({a, b});
  }
};

} // namespace

TEST_F(RegistoFixture, RefusedDuringARunWithATip) {
  ASSERT_TRUE(session.StartRun(1.0));
  flow->OnRegisto();
  ASSERT_EQ(prompts.m_asked.size(), 1u);
  EXPECT_EQ(prompts.m_asked[0].text, "Please stop the Real Time Runing!");
  EXPECT_EQ(prompts.m_asked[0].caption, "Tip");
  EXPECT_EQ(stores.m_log.GetSize(), 1u);
  EXPECT_TRUE(events.empty());
}

TEST_F(RegistoFixture, TheProgressPopUpShowsAtTheHeaderAndClosesAtTheEnd) {
  flow->OnRegisto();
  EXPECT_EQ(events, (std::vector<std::string>{"release with 1 records"}));
  EXPECT_FALSE(flow->Dialog().isVisible());
  const std::vector<std::uint8_t> bytes = Download();
  Feed(bytes, 0, 20);
  clock.m_now = *session.Timers().Due(CMeterSession::TIMER_LOG_REQUEST);
  session.Advance(clock.m_now); // the request's tick notices the header
  ASSERT_TRUE(flow->Dialog().isVisible());
  EXPECT_EQ(flow->Dialog().Progress()->value(), 17);
  Feed(bytes, 20, bytes.size());
  EXPECT_FALSE(flow->Dialog().isVisible());
  EXPECT_EQ(events.back(), "show logger with 8 records");
  EXPECT_TRUE(prompts.m_asked.empty());
}

TEST_F(RegistoFixture, EscInThePopUpEndsTheDownloadAtOnceKeepingWhatArrived) {
  flow->OnRegisto();
  const std::vector<std::uint8_t> bytes = Download();
  Feed(bytes, 0, bytes.size() - 10);
  ASSERT_TRUE(flow->Dialog().isVisible());
  QTest::keyClick(&flow->Dialog(), Qt::Key_Escape);
  EXPECT_FALSE(flow->Dialog().isVisible());
  EXPECT_FALSE(session.Downloading());
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events.back(), "show logger with 4 records")
      << "the first recording and the whole levels after it";
  Feed(bytes, bytes.size() - 10, bytes.size()); // the rest is read as live data
  EXPECT_EQ(events.size(), 2u);
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

// The meter's memory is empty: the status says so and no empty DATALOGGER
// window opens.
TEST_F(RegistoFixture, AnEmptyMemoryOpensNoWindow) {
  CEventLog log;
  session.AddObserver(log);
  flow->OnRegisto();
  const std::vector<std::uint8_t> bytes = sim::BuildDownload({});
  Feed(bytes, 0, bytes.size());
  EXPECT_EQ(events, (std::vector<std::string>{"release with 1 records"}));
  EXPECT_TRUE(stores.m_log.IsEmpty());
  EXPECT_FALSE(flow->Dialog().isVisible());
  EXPECT_EQ(log.m_events.back(), Ended(EDownloadEnd::Empty));
  EXPECT_EQ(DownloadEndText(EDownloadEnd::Empty), "O medidor não tem registos.");
  session.RemoveObserver(log);
}
