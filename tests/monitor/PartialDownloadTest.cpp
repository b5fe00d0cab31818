// Downloads that stop half-way, against a meter scripted byte by byte on a
// pseudo-terminal: one that falls silent after the first half, and one the
// user leaves with Esc while the rest is still to come.
#include "app/MainFrame.h"
#include "app/TarvikApp.h"
#include "datalog/DataFileMenu.h"
#include "datalog/DataLogDlg.h"
#include "datalog/DataLogHolder.h"
#include "forms/CommandIds.h"
#include "forms/UiTexts.h"
#include "monitor/MyVomoView.h"
#include "monitor/RegistoFlow.h"
#include "serial/PortEnumerator.h"
#include "session/ComPortLink.h"
#include "session/SessionHost.h"
#include "sim/PtyMaster.h"
#include "sim/SimWire.h"
#include "support/FakeSessionClock.h"
#include "support/ScriptedPrompts.h"

#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QSocketNotifier>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <unistd.h>

namespace {
// A meter that streams live frames until asked for its memory, then sends
// only the first `nFirstPart` bytes of the download and keeps quiet.
struct CHalfwayMeter {
  CPtyMaster pty;
  sim::CSimDisplay display;
  std::vector<uint8_t> download;
  std::size_t nFirstPart = 0;
  bool bTalking = true;
  QTimer frames;
  std::unique_ptr<QSocketNotifier> pRead;
  std::vector<uint8_t> received;

  bool Start() {
    if (!pty.Open())
      return false;
    display.m_dLevel = 64.5;
    display.m_nRange = 4;
    display.m_nHour = 10;
    frames.setInterval(40);
    QObject::connect(&frames, &QTimer::timeout, [this] {
      if (!bTalking)
        return;
      display.m_dLevel += 0.1;
      const auto f = sim::BuildLiveFrame(display);
      pty.WriteAll(f.data(), f.size());
    });
    frames.start();
    pRead = std::make_unique<QSocketNotifier>(pty.Fd(), QSocketNotifier::Read);
    QObject::connect(pRead.get(), &QSocketNotifier::activated, [this] { OnReadable(); });
    return true;
  }
  void OnReadable() {
    uint8_t buf[256];
    const ssize_t n = ::read(pty.Fd(), buf, sizeof buf);
    if (n <= 0)
      return;
    for (ssize_t i = 0; i < n; ++i) {
      received.push_back(buf[i]);
      const std::size_t k = received.size();
      if (bTalking && k >= 2 && received[k - 2] == 0x5A && received[k - 1] == 0xAC) {
        bTalking = false; // the download replaces the live frames
        pty.WriteAll(download.data(), nFirstPart);
      }
    }
  }
  void SendRest() { pty.WriteAll(download.data() + nFirstPart, download.size() - nFirstPart); }
};

CSimRecording LongRecording() {
  CSimRecording r;
  r.m_nYear = 2026;
  r.m_nMonth = 12;
  r.m_nDay = 7;
  r.m_nHour = 9;
  r.m_levels.assign(600, 65.0);
  return r;
}

struct HalfwayDownload : ::testing::Test {
  CTestWallClock clock{};
  CScriptedPrompts prompts;
  std::unique_ptr<CTarvikApp> app;
  CHalfwayMeter meter;

  void SetUp() override {
    ASSERT_TRUE(meter.Start()) << meter.pty.Error();
    meter.download = sim::BuildDownload({LongRecording()});
    ASSERT_GT(meter.download.size(), 400u);
    meter.nFirstPart = meter.download.size() / 2;
    app = std::make_unique<CTarvikApp>(AppOptions{}, prompts, std::make_unique<CComPortLink>(), clock);
    auto *link = dynamic_cast<CComPortLink *>(&app->SessionHost().Link());
    ASSERT_NE(link, nullptr);
    CPortInfo port;
    port.m_strName = "pts/" + std::to_string(meter.pty.SlaveNumber());
    port.m_strDevice = meter.pty.SlavePath();
    port.m_nNumber = meter.pty.SlaveNumber();
    port.m_strDescription = kBridgeDescription;
    link->Discovery().AddExtraPort(port);
    link->Port().SetPortTemplate("/dev/pts/%d");
    app->Show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Reading().m_strCurTime.empty(); }, 5000));
    ASSERT_TRUE(app->Frame().Commands().Execute(cmd::ID_DOWNLOAD));
    // The header and the first half are in: the progress pop-up is up.
    ASSERT_TRUE(QTest::qWaitFor([&] { return app->Registo().Dialog().isVisible(); }, 5000));
  }
  void TearDown() override { app.reset(); }

  CMyVomoView &View() { return app->View(); }
  // Fires timer nId now, with whatever falls due before it.
  void Fire(int nId) {
    if (auto due = app->Session().Timers().Due(nId))
      app->Session().Advance(std::max(*due, clock.Now()));
  }
  void FireSilenceCheck() { Fire(CMeterSession::TIMER_SILENCE); }
  const CMeterReading &Reading() { return app->Session().Reading(); }
  CDataLogDlg *Logger() { return app->FileMenu().DataLog().Get(); }
};
} // namespace

TEST_F(HalfwayDownload, SilenceHalfWayEndsWithAnErrorAndKeepsWhatArrived) {
  EXPECT_TRUE(app->Session().Progress().m_bLogHeader);
  EXPECT_GT(app->Registo().Dialog().Progress()->value(), 0);
  EXPECT_EQ(app->Registo().Dialog().Progress()->maximum(), static_cast<int>(meter.download.size()) - 3);
  clock.m_wall += 10;
  FireSilenceCheck();
  EXPECT_EQ(prompts.Messages(), (std::vector<QString>{QString("Occur an error\n") + UiTexts::kCauseSilence.source}));
  EXPECT_FALSE(app->Session().Progress().m_bDownloading);
  EXPECT_FALSE(app->Registo().Dialog().isVisible());
  ASSERT_NE(Logger(), nullptr);
  EXPECT_TRUE(Logger()->isVisible());
  // Whatever whole levels arrived are kept and listed, one row a recording.
  const CSampleStore &log = app->Stores().m_log;
  int nGroups = 0;
  for (std::size_t i = 0; i < log.GetSize(); ++i)
    if (i == 0 || log[i].m_nGroup != log[i - 1].m_nGroup)
      ++nGroups;
  EXPECT_EQ(Logger()->List()->topLevelItemCount(), nGroups);
  EXPECT_LT(log.GetSize() * 2, meter.download.size());
}

// What a download left early keeps: the whole levels of the first half,
// nothing of the live frames that came after it.
void ExpectFirstHalfKept(const CSampleStore &log, std::size_t nDownloadBytes) {
  ASSERT_GT(log.GetSize(), 0u);
  EXPECT_LT(log.GetSize() * 2, nDownloadBytes);
  for (std::size_t i = 0; i < log.GetSize(); ++i)
    ASSERT_EQ(log[i].m_dValue, 65.0) << i;
}

// "Cancelar" (or Esc): the download ends at once; the rest that comes later
// is read as live data.
void LeaveEarly(HalfwayDownload &t, bool bEsc) {
  QPushButton *cancel = t.app->Registo().Dialog().CancelButton();
  ASSERT_NE(cancel, nullptr);
  EXPECT_EQ(cancel->text(), "&Cancelar"); // Alt+C
  if (bEsc)
    QTest::keyClick(&t.app->Registo().Dialog(), Qt::Key_Escape);
  else
    QTest::mouseClick(cancel, Qt::LeftButton);
  EXPECT_FALSE(t.app->Session().Progress().m_bDownloading);
  EXPECT_FALSE(t.app->Registo().Dialog().isVisible());
  ASSERT_NE(t.Logger(), nullptr);
  EXPECT_TRUE(t.Logger()->isVisible());
  EXPECT_EQ(t.Logger()->List()->topLevelItemCount(), 1);
  ExpectFirstHalfKept(t.app->Stores().m_log, t.meter.download.size());
  const std::size_t nKept = t.app->Stores().m_log.GetSize();
  t.meter.SendRest();
  t.meter.bTalking = true;
  const double dLevel = t.Reading().m_dLevel;
  ASSERT_TRUE(QTest::qWaitFor([&] { return t.Reading().m_dLevel != dLevel; }, 5000));
  EXPECT_EQ(t.app->Stores().m_log.GetSize(), nKept);
  EXPECT_TRUE(t.prompts.Messages().empty());
}

TEST_F(HalfwayDownload, CancelarEndsAtOnceKeepingWhatArrived) {
  LeaveEarly(*this, false);
}

TEST_F(HalfwayDownload, EscEndsAtOnceKeepingWhatArrived) {
  LeaveEarly(*this, true);
}

TEST_F(HalfwayDownload, TenSecondsWithoutDownloadBytesWhileLiveFramesComeEndIt) {
  meter.bTalking = true; // the meter is back on its display stream
  QTest::qWait(400);     // some frames arrive, none of them download bytes
  clock.m_shift = std::chrono::seconds(9);
  FireSilenceCheck();
  EXPECT_TRUE(app->Session().Progress().m_bDownloading); // still waiting
  clock.m_shift = std::chrono::seconds(11);
  FireSilenceCheck();
  EXPECT_FALSE(app->Session().Progress().m_bDownloading);
  EXPECT_FALSE(app->Registo().Dialog().isVisible());
  EXPECT_TRUE(prompts.Messages().empty()); // no "Occur an error": the meter is there
  EXPECT_EQ(app->Frame().statusBar()->currentMessage(), QString::fromUtf8(kDownloadStalledText.source));
  ASSERT_NE(Logger(), nullptr);
  EXPECT_TRUE(Logger()->isVisible());
  ExpectFirstHalfKept(app->Stores().m_log, meter.download.size());
  // The live frames are read as such again.
  const double dLevel = Reading().m_dLevel;
  ASSERT_TRUE(QTest::qWaitFor([&] { return Reading().m_dLevel != dLevel; }, 5000));
}
