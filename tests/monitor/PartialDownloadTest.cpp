// Downloads that stop half-way, against a meter scripted byte by byte on a
// pseudo-terminal: one that falls silent after the first half, and one the
// user leaves with Esc while the rest is still to come.
#include "app/MainFrame.h"
#include "app/TarvikApp.h"
#include "datalog/DataLogDlg.h"
#include "datalog/DataLogHolder.h"
#include "monitor/ComPortLink.h"
#include "monitor/MyVomoView.h"
#include "monitor/RegistoFlow.h"
#include "serial/PortEnumerator.h"
#include "sim/PtyMaster.h"
#include "sim/SimWire.h"
#include "support/ScriptedPrompts.h"
#include "uikit/CommandIds.h"

#include <QPrinter>
#include <QProgressBar>
#include <QSocketNotifier>
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
  CScriptedPrompts prompts;
  std::unique_ptr<CTarvikApp> app;
  CHalfwayMeter meter;

  void SetUp() override {
    ASSERT_TRUE(meter.Start()) << meter.pty.Error();
    meter.download = sim::BuildDownload({LongRecording()});
    ASSERT_GT(meter.download.size(), 400u);
    meter.nFirstPart = meter.download.size() / 2;
    app = std::make_unique<CTarvikApp>(AppOptions{}, prompts);
    auto *link = dynamic_cast<CComPortLink *>(&app->View().Link());
    ASSERT_NE(link, nullptr);
    CPortInfo port;
    port.m_strName = "pts/" + std::to_string(meter.pty.SlaveNumber());
    port.m_strDevice = meter.pty.SlavePath();
    port.m_nNumber = meter.pty.SlaveNumber();
    port.m_strDescription = kBridgeDescription;
    link->Discovery().AddExtraPort(port);
    link->Port().SetPortTemplate("/dev/pts/%d");
    app->Show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !State().m_strCurTime.empty(); }, 5000));
    ASSERT_TRUE(app->Frame().Commands().Execute(cmd::ID_DOWNLOAD));
    // The header and the first half are in: the progress pop-up is up.
    ASSERT_TRUE(QTest::qWaitFor([&] { return View().Registo().Dialog().isVisible(); }, 5000));
  }
  void TearDown() override { app.reset(); }

  CMyVomoView &View() { return app->View(); }
  const CMeterState &State() { return View().MeterState(); }
  CDataLogDlg *Logger() { return View().DataLog().Get(); }
};
} // namespace

TEST_F(HalfwayDownload, SilenceHalfWayEndsWithAnErrorAndKeepsWhatArrived) {
  EXPECT_TRUE(State().m_bLogHeader);
  EXPECT_GT(View().Registo().Dialog().Progress()->value(), 0);
  EXPECT_EQ(View().Registo().Dialog().Progress()->maximum(), static_cast<int>(meter.download.size()) - 3);
  const std::time_t later = std::time(nullptr) + 10;
  View().SetClock([later] { return later; });
  View().OnTimer(CMyVomoView::TIMER_SILENCE);
  EXPECT_EQ(prompts.Messages(), (std::vector<QString>{"Occur an error"}));
  EXPECT_FALSE(State().m_bDownloading);
  EXPECT_FALSE(View().Registo().Dialog().isVisible());
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

TEST_F(HalfwayDownload, EscOpensTheWindowAtOnceAndTheRestIsReadAsLiveData) {
  QTest::keyClick(&View().Registo().Dialog(), Qt::Key_Escape);
  // At once, not when the rest arrives.
  EXPECT_FALSE(State().m_bDownloading);
  ASSERT_NE(Logger(), nullptr);
  EXPECT_TRUE(Logger()->isVisible());
  EXPECT_EQ(Logger()->List()->topLevelItemCount(), 0);
  meter.SendRest();
  meter.bTalking = true;
  const std::string strTime = State().m_strCurTime;
  const double dLevel = State().m_dLevel;
  ASSERT_TRUE(QTest::qWaitFor([&] { return State().m_dLevel != dLevel; }, 5000));
  EXPECT_FALSE(strTime.empty());
  EXPECT_TRUE(app->Stores().m_log.IsEmpty());
  EXPECT_TRUE(prompts.Messages().empty());
}
