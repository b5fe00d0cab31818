#include "assess/LiveAlarm.h"
#include "app/AppOptions.h"
#include "app/TarvikApp.h"
#include "assess/AssessSettingsHolder.h"
#include "assess/EventJournal.h"
#include "assess/LiveAnalysis.h"
#include "files/TempDir.h"
#include "monitor/MyVomoView.h"
#include "session/MeterSession.h"
#include "sim/PtyMeter.h"
#include "support/ScriptedPrompts.h"
#include "support/SimulatedApp.h"

#include <QLabel>
#include <QMainWindow>
#include <QPrinter>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

#include <fstream>

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
  CTarvikApp app(SimulatedOptions(), prompts);
  ASSERT_TRUE(StartShown(app, [](CPtyMeter &meter) {
    meter.SetFrameInterval(50ms);
    meter.WithSim([](CMeterSim &sim) { sim.SetLevelSource(CLevelSource::Constant(92.5)); });
  }));
  const CMeterReading &st = app.Session().Reading();
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

// The run's settings and events beside its journal come back with a
// recovered run, which then has the same events.
TEST(LiveAlarm, EventsAreJournalledBesideTheRunAndComeBackWithARecoveredRun) {
  CTempDir dir;
  const std::string journal = dir.File("run.journal");
  std::ofstream(journal) << "journal";
  AssessSettings set = Threshold(1);
  set.nPeriodSec = 60;
  auto fill = [](CSampleStore &s) {
    for (int i = 0; i < 200; ++i)
      s.AppendAt(i % 50 < 4 ? 91.0 : 62.0, kT0 + i, TimeStyle::PaddedHour, "dBA", 0, 1);
  };
  std::vector<NoiseEvent> before;
  {
    QMainWindow frame;
    CDataStores stores;
    CScriptedPrompts prompts;
    CLiveAnalysis crashed(frame, stores, prompts);
    crashed.Alarm().SetJournalPath([&] { return journal; });
    crashed.Settings().Set(set, false);
    fill(stores.m_live);
    crashed.Alarm().Poll();
    const JournalledAssessment j = ParseEventJournal(Slurp(EventJournalPath(journal)));
    ASSERT_TRUE(j.settings);
    before = j.events;
  }
  ASSERT_EQ(before.size(), 4u);
  EXPECT_EQ(before[3].nFirst, 150u);

  QMainWindow frame;
  CDataStores stores;
  CScriptedPrompts prompts;
  CLiveAnalysis next(frame, stores, prompts);
  fill(stores.m_live); // the samples the journal gave back
  next.RestoreFromJournal(journal);
  EXPECT_EQ(next.Settings().Settings().dThreshold, 85.0);
  EXPECT_EQ(next.Settings().Settings().nPeriodSec, 60);
  CLiveAssessment again(next.Settings().Settings());
  again.Update(stores.m_live);
  ASSERT_EQ(again.Assessor().Events().size(), before.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(again.Assessor().Events()[i].tStart, before[i].tStart);
    EXPECT_NEAR(again.Assessor().Events()[i].dSel, before[i].dSel, 1e-3);
  }

  // once the journal is gone, so is what was written beside it
  next.Alarm().SetJournalPath([&] { return journal; });
  next.Alarm().Poll();
  std::filesystem::remove(journal);
  next.Alarm().ForgetJournalled();
  EXPECT_FALSE(std::filesystem::exists(EventJournalPath(journal)));
}
