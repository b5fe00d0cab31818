#include "app/AppOptions.h"
#include "app/TarvikApp.h"
#include "datalog/DataFileMenu.h"
#include "datalog/DataLogDlg.h"
#include "datalog/DataLogHolder.h"
#include "forms/ControlIds.h"
#include "kit/DialogBuilder.h"
#include "monitor/MyVomoView.h"
#include "monitor/RegistoFlow.h"
#include "session/SessionHost.h"
#include "sim/PtyMeter.h"
#include "support/ScriptedPrompts.h"
#include "support/SimulatedApp.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// The program as `tarvik --simulate` runs it: discovery finds the simulated
// meter's pseudo-terminal as the bridge, opens it through the reader thread,
// decodes its frames and samples them.
TEST(EndToEnd, SimulatedMeterIsFoundDecodedAndSampled) {
  CScriptedPrompts prompts;
  CTarvikApp app(SimulatedOptions(), prompts);
  ASSERT_TRUE(StartShown(app, [](CPtyMeter &meter) {
    meter.SetFrameInterval(50ms);
    meter.WithSim([](CMeterSim &sim) {
      sim.SetLevelSource(CLevelSource::Constant(72.4));
      sim.SetWeightA(false);
    });
  }));

  CMyVomoView &view = app.View();
  const CMeterReading &st = app.Session().Reading();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !st.m_strCurTime.empty() && st.m_dLevel == 72.4; }, 5000))
      << "no frame decoded; level " << st.m_dLevel;
  EXPECT_FALSE(st.m_bWeightA);
  EXPECT_TRUE(prompts.m_asked.empty());

  auto *rate = DlgItem<QComboBox>(&view, StatIds::kRate);
  rate->setCurrentIndex(rate->findText("0.1"));
  app.Session().SetSampleLimit(5);
  view.OnRun();
  EXPECT_EQ(app.Session().Timers().Period(CMeterSession::TIMER_SAMPLE), std::chrono::milliseconds(100));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !app.Session().Running(); }, 5000));
  ASSERT_EQ(app.Stores().m_live.GetSize(), 5u);
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_DOUBLE_EQ(app.Stores().m_live[i].m_dValue, 72.4) << i;
    EXPECT_EQ(app.Stores().m_live[i].m_strUnit, "dBC") << i;
  }
  EXPECT_EQ(DlgItem<QLineEdit>(&view, StatIds::kCount)->text(), "5");
  EXPECT_EQ(DlgItem<QLineEdit>(&view, StatIds::kAverage)->text(), "72.4");

  // "Registo" fetches the meter's memory and opens the data logger window.
  CSimRecording rec;
  rec.m_nDay = 7;
  rec.m_nHour = 9;
  rec.m_levels = {61.0, 62.5, 63.0};
  app.Simulator()->WithSim([&](CMeterSim &sim) { sim.SetRecordings({rec}); });
  app.Registo().OnRegisto();
  EXPECT_TRUE(app.Session().Downloading());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !app.Session().Downloading(); }, 5000));
  ASSERT_EQ(app.Stores().m_log.GetSize(), 3u);
  EXPECT_DOUBLE_EQ(app.Stores().m_log[1].m_dValue, 62.5);
  ASSERT_NE(app.FileMenu().DataLog().Get(), nullptr);
  EXPECT_TRUE(app.FileMenu().DataLog().Get()->isVisible());
  EXPECT_TRUE(prompts.m_asked.empty());

  // The meter goes quiet: two seconds later the view knows.
  app.Simulator()->FallSilent();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !st.m_bDataReceived; }, 5000));
}

} // namespace
