// The remote keys and the download, end to end: the program against the
// simulated meter on a pseudo-terminal, pressed and answered as a user would.
#include "app/MainFrame.h"
#include "app/TarvikApp.h"
#include "datalog/DataFileMenu.h"
#include "datalog/DataLogDlg.h"
#include "datalog/DataLogHolder.h"
#include "forms/CommandIds.h"
#include "forms/UiTexts.h"
#include "meter/CommandSet.h"
#include "monitor/MeterButton.h"
#include "monitor/MyVomoView.h"
#include "monitor/ReadoutPanel.h"
#include "monitor/RegistoFlow.h"
#include "session/ComPortLink.h"
#include "session/SessionHost.h"
#include "sim/PtyMeter.h"
#include "support/FakeSessionClock.h"
#include "support/ScriptedPrompts.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPrinter>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

using namespace std::chrono_literals;

namespace {
void SendMouse(QWidget *w, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons) {
  QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), Qt::LeftButton, buttons, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

struct SimulatedMeter : ::testing::Test {
  CTestWallClock clock{};
  CScriptedPrompts prompts;
  std::unique_ptr<CTarvikApp> app;
  CPtyMeter *sim = nullptr;

  void SetUp() override {
    AppOptions opt;
    opt.bSimulate = true;
    app = std::make_unique<CTarvikApp>(opt, prompts, std::make_unique<CComPortLink>(), clock);
    std::string err;
    ASSERT_TRUE(app->Start(err)) << err;
    sim = app->Simulator();
    sim->SetFrameInterval(40ms);
    app->Show();
    // Heard, and a frame decoded (it takes the frame after it).
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Reading().m_strCurTime.empty(); }, 5000));
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
  CReadoutPanel *Panel() { return qobject_cast<CReadoutPanel *>(View().Readout()); }
  void Click(int nKey) {
    CMeterButton *b = Panel()->Button(nKey);
    SendMouse(b, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton);
    SendMouse(b, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::NoButton);
  }
  std::vector<CPtyMeter::CReceived> Sent(uint8_t code) {
    std::vector<CPtyMeter::CReceived> v;
    for (const auto &r : sim->Received())
      if (r.m_byte == code)
        v.push_back(r);
    return v;
  }
  void Wait(int ms) { QTest::qWait(ms); }
  // The silence check two seconds on, without waiting for them.
  void SilenceCheckLater() {
    clock.m_wall += 10;
    FireSilenceCheck();
  }
};

void ExpectSpacing(const std::vector<CPtyMeter::CReceived> &v, int nMinMs) {
  for (std::size_t i = 1; i < v.size(); ++i)
    EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(v[i].m_time - v[i - 1].m_time).count(),
              nMinMs);
}
} // namespace

TEST_F(SimulatedMeter, FastSlowRepeatsUntilAFrameShowsSlow) {
  ASSERT_TRUE(Reading().m_bFast);
  sim->WithSim([](CMeterSim &m) { m.IgnoreNextKeys(2); }); // the meter misses two presses
  Click(kKeyFastSlow);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Reading().m_bFast; }, 5000));
  Wait(800);
  const auto sent = Sent(0x77);
  EXPECT_EQ(sent.size(), 3u);
  ExpectSpacing(sent, 550);
}

TEST_F(SimulatedMeter, MaxMinWhileMinIsShownRepeatsUntilMinGoesOff) {
  sim->WithSim([](CMeterSim &m) {
    const uint8_t code = 0x11;
    m.OnBytesReceived(&code, 1); // MAX
    m.OnBytesReceived(&code, 1); // MIN
    m.IgnoreNextKeys(1);
  });
  ASSERT_TRUE(QTest::qWaitFor([&] { return Reading().m_bMin; }, 5000));
  Click(kKeyMaxMin);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Reading().m_bMin; }, 5000));
  Wait(800);
  EXPECT_EQ(Sent(0x11).size(), 2u);
}

TEST_F(SimulatedMeter, LevelRepeatsEvery500MsUntilTheRangeChanges) {
  const int nRange = Reading().m_nRange;
  sim->WithSim([](CMeterSim &m) { m.IgnoreNextKeys(2); });
  Click(kKeyLevel);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Reading().m_nRange != nRange; }, 5000));
  Wait(700);
  const auto sent = Sent(0x88);
  EXPECT_EQ(sent.size(), 3u);
  ExpectSpacing(sent, 450);
}

TEST_F(SimulatedMeter, APressWhileTheMeterIsSilentSendsNothing) {
  sim->FallSilent();
  Wait(150);
  SilenceCheckLater();
  ASSERT_FALSE(Reading().m_bDataReceived);
  Click(kKeyRec);
  Click(kKeyAC);
  Wait(300);
  EXPECT_TRUE(sim->Received().empty());
  // And the window shows the silent meter.
  EXPECT_EQ(Panel()->grab().toImage().convertToFormat(QImage::Format_RGB32), Panel()->Artwork().Silent());
}

TEST_F(SimulatedMeter, DragOffAndBackStartsOneRepetition) {
  const bool bWeightA = Reading().m_bWeightA;
  sim->WithSim([](CMeterSim &m) { m.IgnoreNextKeys(1); });
  CMeterButton *ac = Panel()->Button(kKeyAC);
  SendMouse(ac, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton);
  SendMouse(ac, QEvent::MouseMove, QPoint(200, 200), Qt::LeftButton);
  SendMouse(ac, QEvent::MouseMove, QPoint(5, 5), Qt::LeftButton);
  SendMouse(ac, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::NoButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Reading().m_bWeightA != bWeightA; }, 5000));
  Wait(800);
  EXPECT_EQ(Sent(0x99).size(), 2u);
}

// A slow meter shows a key's effect only with its next frame, which may
// come after the key's interval: the code must still go out once, or the
// second code undoes the first. All keys at once, then Stop, at each rate.
TEST_F(SimulatedMeter, EachClickTakesEffectOnceWhateverTheFrameRate) {
  for (auto interval : {100ms, 250ms, 500ms, 1000ms}) {
    SCOPED_TRACE(interval.count());
    sim->WithSim([](CMeterSim &m) { m.PowerOn(); });
    sim->SetFrameInterval(interval);
    sim->Talk();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Reading().m_bDataReceived; }, 5000));
    const unsigned nFrames = app->Session().Timing().m_nFramesDecoded;
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return app->Session().Timing().m_nFramesDecoded >= nFrames + 2; }, 5000));
    const std::size_t nBefore = sim->Received().size();
    const CMeterReading was = Reading();
    for (int nKey : {kKeyRec, kKeyMaxMin, kKeyFastSlow, kKeyLevel, kKeyAC})
      Click(nKey);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
          const CMeterReading &now = Reading();
          const bool bMaxMin = was.m_bMin ? now.m_bMin != was.m_bMin : now.m_bMax != was.m_bMax;
          return now.m_bRec != was.m_bRec && bMaxMin && now.m_bFast != was.m_bFast &&
                 now.m_nRange != was.m_nRange && now.m_bWeightA != was.m_bWeightA;
        },
        5000));
    // Two more frames and an interval: when a second code would have gone.
    const unsigned nSeen = app->Session().Timing().m_nFramesDecoded;
    ASSERT_TRUE(QTest::qWaitFor([&] { return app->Session().Timing().m_nFramesDecoded >= nSeen + 3; }, 5000));
    Wait(700);
    const auto rx = sim->Received();
    std::vector<uint8_t> codes;
    for (std::size_t i = nBefore; i < rx.size(); ++i)
      codes.push_back(rx[i].m_byte);
    std::sort(codes.begin(), codes.end());
    EXPECT_EQ(codes, (std::vector<uint8_t>{0x11, 0x55, 0x77, 0x88, 0x99}));
    EXPECT_NE(Reading().m_bRec, was.m_bRec);
    EXPECT_NE(Reading().m_bFast, was.m_bFast);
    EXPECT_NE(Reading().m_bWeightA, was.m_bWeightA);

    Click(kKeyStop); // the meter goes off: nothing shows Stop failed
    Wait(static_cast<int>(interval.count()) * 2 + 700);
    EXPECT_EQ(sim->Received().size(), rx.size() + 1);
    EXPECT_EQ(sim->Received().back().m_byte, 0x33);
    SilenceCheckLater();
  }
}

// ---- the download ----

namespace {
CSimRecording Recording(bool bA, int h, int m, int s, int nInterval, std::vector<double> levels) {
  CSimRecording r;
  r.m_bWeightA = bA;
  r.m_nYear = 2026;
  r.m_nMonth = 12;
  r.m_nDay = 7;
  r.m_nHour = h;
  r.m_nMinute = m;
  r.m_nSecond = s;
  r.m_nInterval = nInterval;
  r.m_levels = std::move(levels);
  return r;
}
std::vector<std::vector<QString>> Rows(CDataLogDlg *dlg) {
  std::vector<std::vector<QString>> rows;
  QTreeWidget *list = dlg->List();
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    std::vector<QString> cols;
    for (int c = 0; c < 5; ++c)
      cols.push_back(list->topLevelItem(i)->text(c));
    rows.push_back(cols);
  }
  return rows;
}
} // namespace

struct SimulatedDownload : SimulatedMeter {
  CDataLogDlg *Logger() { return app->FileMenu().DataLog().Get(); }
  bool Registo() { return app->Frame().Commands().Execute(cmd::ID_DOWNLOAD); }
  bool LoggerShown() {
    return Logger() && Logger()->isVisible() && !app->Session().Progress().m_bDownloading;
  }
};

TEST_F(SimulatedDownload, TwoRecordingsArriveAsTwoRows) {
  sim->WithSim([](CMeterSim &m) {
    m.SetRecordings(
        {Recording(true, 10, 0, 0, 1, {60.1, 61.2, 62.3}), Recording(false, 14, 30, 5, 2, {70.5, 71})});
  });
  ASSERT_TRUE(Registo());
  ASSERT_TRUE(QTest::qWaitFor([&] { return LoggerShown(); }, 5000));
  const auto rows = Rows(Logger());
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][1], "07-12-2026,10:00:00");
  EXPECT_EQ(rows[0][2], "dBA");
  EXPECT_EQ(rows[0][3], "1.00");
  EXPECT_EQ(rows[0][4], "3");
  EXPECT_EQ(rows[1][1], "07-12-2026,14:30:05");
  EXPECT_EQ(rows[1][2], "dBC");
  EXPECT_EQ(rows[1][3], "2.00");
  EXPECT_EQ(rows[1][4], "2");
  ASSERT_EQ(app->Stores().m_log.GetSize(), 5u);
  EXPECT_EQ(app->Stores().m_log[4].m_strTime, "07-12-2026,14:30:07");
  EXPECT_FALSE(app->Registo().Dialog().isVisible());
  EXPECT_TRUE(prompts.Messages().empty());
  // The watchdog that fires later finds nothing to end.
  Fire(CMeterSession::TIMER_LOG_TIMEOUT);
  EXPECT_TRUE(prompts.Messages().empty());
}

// An empty memory is told in the status bar; no empty DATALOGGER window opens.
TEST_F(SimulatedDownload, AnEmptyLogSaysSoAndOpensNoWindow) {
  sim->WithSim([](CMeterSim &m) { m.SetRecordings({}); });
  // The pop-up shows with the first progress report.
  struct CProgressSeen : ISessionObserver {
    bool bSeen = false;
    void OnDownloadProgress(int, int) override { bSeen = true; }
  } progress;
  app->Session().AddObserver(progress);
  ASSERT_TRUE(Registo());
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return app->Session().DownloadPhase() == CMeterSession::EDownloadPhase::Idle; }, 5000));
  app->Session().RemoveObserver(progress);
  EXPECT_EQ(app->Frame().statusBar()->currentMessage(), QString::fromUtf8("O medidor não tem registos."));
  EXPECT_FALSE(Logger() && Logger()->isVisible());
  EXPECT_FALSE(progress.bSeen);
  EXPECT_FALSE(app->Registo().Dialog().isVisible());
  EXPECT_TRUE(prompts.Messages().empty());
}

TEST_F(SimulatedDownload, AMeterFallingSilentEndsItWithAnError) {
  sim->FallSilent();
  Wait(150);
  app->Stores().m_log.Emplace(50.0, "07-12-2026,1:00:00", "dBA", 1, 1.0);
  ASSERT_TRUE(Registo());
  Wait(350); // the request goes out every 100 ms and stays unanswered
  EXPECT_GE(sim->Received().size(), 6u);
  EXPECT_TRUE(app->Session().Progress().m_bDownloading);
  SilenceCheckLater();
  EXPECT_FALSE(app->Session().Progress().m_bDownloading);
  EXPECT_EQ(prompts.Messages(), (std::vector<QString>{QString("Occur an error\n") + UiTexts::kCauseSilence.source}));
  EXPECT_EQ(app->Frame().statusBar()->currentMessage(),
            QString::fromUtf8("O Registo de dados falhou: O medidor deixou de enviar dados."));
  EXPECT_TRUE(app->Frame().ConnectionPane()->text().endsWith(QString::fromUtf8("o medidor não envia dados")));
  ASSERT_TRUE(LoggerShown());
  EXPECT_TRUE(Rows(Logger()).empty());
  Wait(150); // a request written before the end may still be on its way to the meter
  const std::size_t n = sim->Received().size();
  Wait(250);
  EXPECT_EQ(sim->Received().size(), n); // the request has stopped
}

TEST_F(SimulatedDownload, ASecondRegistoRecreatesTheOpenWindow) {
  sim->WithSim([](CMeterSim &m) {
    m.SetRecordings({Recording(true, 9, 0, 0, 1, {60, 61}), Recording(true, 9, 5, 0, 1, {62})});
  });
  ASSERT_TRUE(Registo());
  ASSERT_TRUE(QTest::qWaitFor([&] { return LoggerShown(); }, 5000));
  CDataLogDlg *first = Logger();
  first->SelectRow(0);
  ASSERT_EQ(first->Selection().GetSize(), 2u);

  EXPECT_EQ(app->Frame().statusBar()->currentMessage(), "Registo de dados recebido");
  EXPECT_EQ(app->Frame().ConnectionPane()->text(),
            QString::fromStdString(sim->SlavePath()) + QString::fromUtf8(": o medidor está a enviar dados"));
  first->showMinimized(); // the user put it away

  sim->WithSim([](CMeterSim &m) { m.SetRecordings({Recording(false, 11, 0, 0, 5, {80, 81, 82, 83})}); });
  ASSERT_TRUE(Registo());
  // The old selection is gone before the records it pointed at.
  EXPECT_TRUE(first->Selection().IsEmpty());
  ASSERT_TRUE(QTest::qWaitFor([&] { return LoggerShown() && Rows(Logger()).size() == 1; }, 5000));
  EXPECT_EQ(Logger(), first);
  EXPECT_FALSE(Logger()->isMinimized());
  EXPECT_TRUE(QTest::qWaitForWindowActive(Logger())); // in front, where the user looks
  EXPECT_EQ(Rows(Logger())[0][4], "4");
}

TEST_F(SimulatedDownload, RegistoDuringARunOnlyRefuses) {
  app->Stores().m_log.Emplace(50.0, "07-12-2026,1:00:00", "dBA", 1, 1.0);
  ASSERT_TRUE(app->Frame().Commands().Execute(cmd::ID_RUN));
  ASSERT_TRUE(app->Session().Running());
  const std::size_t nSent = sim->Received().size();
  ASSERT_TRUE(Registo());
  EXPECT_EQ(prompts.Messages(), (std::vector<QString>{"Please stop the Real Time Runing!"}));
  EXPECT_EQ(prompts.m_asked.back().caption, "Tip");
  EXPECT_EQ(app->Stores().m_log.GetSize(), 1u);
  EXPECT_FALSE(app->Session().Progress().m_bDownloading);
  Wait(250);
  EXPECT_EQ(sim->Received().size(), nSent);
}
