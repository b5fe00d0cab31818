#include "assess/LiveAlarm.h"
#include "app/AppOptions.h"
#include "app/TarvikApp.h"
#include "assess/AssessSettingsHolder.h"
#include "assess/LiveAnalysis.h"
#include "monitor/MyVomoView.h"
#include "session/MeterSession.h"
#include "sim/PtyMeter.h"
#include "support/ScriptedPrompts.h"

#include <QLabel>
#include <QMainWindow>
#include <QPrinter>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {
constexpr CivilSeconds kT0 = 1796738531; // 08-12-2026,14:02:11

AssessSettings Threshold(double dRelease) {
  AssessSettings s;
  s.dThreshold = 85;
  s.dReleaseSec = dRelease;
  return s;
}
} // namespace

TEST(LiveAlarm, ShowsWhileAnEventIsOpenBeepsOnceAndClearsAfterTheRelease) {
  QMainWindow frame;
  CDataStores stores;
  CAssessSettingsHolder holder;
  int nBeeps = 0;
  CLiveAlarm alarm(frame, stores, holder, [&] { ++nBeeps; });
  auto add = [&](double d, int i) { stores.m_live.AppendAt(d, kT0 + i, TimeStyle::PaddedHour, "dBA", 0, 1); };
  add(90, 0);
  alarm.Poll();
  EXPECT_FALSE(alarm.IsOn()); // no threshold yet
  holder.Set(Threshold(2), true);
  EXPECT_TRUE(alarm.IsOn());
  add(87.3, 1);
  add(80, 2);
  alarm.Poll();
  EXPECT_EQ(alarm.Text(), "Limiar excedido: 90.0 dB desde 14:02:11");
  EXPECT_EQ(frame.statusBar()->currentMessage(), alarm.Text());
  EXPECT_EQ(alarm.Banner()->text(), alarm.Text());
  EXPECT_FALSE(alarm.Banner()->parentWidget()->isHidden());
  add(80, 3); // two seconds below: the event ends
  alarm.Poll();
  EXPECT_FALSE(alarm.IsOn());
  EXPECT_TRUE(alarm.Banner()->parentWidget()->isHidden());
  EXPECT_EQ(frame.statusBar()->currentMessage(), "");
  add(95, 4);
  alarm.Poll();
  EXPECT_EQ(alarm.Text(), "Limiar excedido: 95.0 dB desde 14:02:15");
  EXPECT_EQ(nBeeps, 2); // one per event, the first when the threshold was set
}

// The program on the simulated meter's pseudo-terminal: a loud meter
// raises the alarm during a run, a quiet one clears it.
TEST(LiveAlarm, RaisedAndClearedOnAPseudoTerminalMeter) {
  CScriptedPrompts prompts;
  AppOptions options;
  options.bSimulate = true;
  CTarvikApp app(options, prompts);
  std::string strError;
  ASSERT_TRUE(app.Start(strError)) << strError;
  app.Simulator()->SetFrameInterval(50ms);
  app.Simulator()->WithSim([](CMeterSim &sim) { sim.SetLevelSource(CLevelSource::Constant(92.5)); });
  app.Show();
  const CMeterState &st = app.Session().State();
  ASSERT_TRUE(QTest::qWaitFor([&] { return st.m_dLevel == 92.5; }, 5000));
  app.Analysis().Settings().Set(Threshold(1), false);
  app.View().OnRun();
  CLiveAlarm &alarm = app.Analysis().Alarm();
  ASSERT_TRUE(QTest::qWaitFor([&] { return alarm.IsOn(); }, 5000));
  EXPECT_TRUE(alarm.Text().startsWith("Limiar excedido: 92.5 dB desde ")) << alarm.Text().toStdString();
  app.Simulator()->WithSim([](CMeterSim &sim) { sim.SetLevelSource(CLevelSource::Constant(60.0)); });
  ASSERT_TRUE(QTest::qWaitFor([&] { return !alarm.IsOn(); }, 8000));
  EXPECT_TRUE(alarm.Banner()->parentWidget()->isHidden());
  app.View().OnStop();
}
