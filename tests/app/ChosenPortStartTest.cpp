#include "app/AppOptions.h"
#include "app/MainFrame.h"
#include "app/TarvikApp.h"
#include "forms/CommandIds.h"
#include "graph/ColorSettings.h"
#include "graph/GraphTestWindow.h"
#include "kit/CommandRouter.h"
#include "monitor/MyVomoView.h"
#include "serial/ChosenPort.h"
#include "sim/PtyMeter.h"
#include "support/ScriptedPrompts.h"
#include "support/SimulatedApp.h"

#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

// The program on a meter that discovery does not find (a plain
// pseudo-terminal), with its settings and journal in fresh folders.
std::unique_ptr<CTarvikApp> StartProgram(CScriptedPrompts &prompts, const std::string &stateFolder) {
  AppOptions options;
  options.strPortTemplate = "/dev/pts/%d";
  options.strStateFolder = stateFolder;
  auto app = std::make_unique<CTarvikApp>(options, prompts);
  app->Show();
  return app;
}

bool Heard(CTarvikApp &app) {
  return QTest::qWaitFor([&] { return app.Session().MeterHeard(); }, 5000);
}

} // namespace

// Chosen once by hand, the port is the meter's at every later start, the
// one that recovers a crashed run included, until Auto is chosen.
TEST(ChosenPortStart, APortChosenByHandIsOpenedAgainAtTheNextStart) {
  CTempConfigHome config;
  const QTemporaryDir state;
  CPtyMeter meter;
  meter.SetFrameInterval(20ms);
  ASSERT_TRUE(meter.Start()) << meter.Error();
  {
    CScriptedPrompts prompts;
    std::unique_ptr<CTarvikApp> app = StartProgram(prompts, state.path().toStdString());
    QTest::qWait(300); // discovery has looked and found nothing
    EXPECT_FALSE(app->Session().MeterHeard());
    app->View().SetPortDialog([&](int) { return meter.SlaveNumber(); });
    app->Frame().Commands().Execute(cmd::ID_PORT_MANUAL);
    ASSERT_TRUE(Heard(*app));
    app->View().StartRunAt(0); // "0.1"
    ASSERT_TRUE(QTest::qWaitFor([&] { return app->Stores().m_live.GetSize() >= 3; }, 5000));
    // Gone without the close path, mid-run, as a crash leaves it.
  }
  {
    CScriptedPrompts prompts;
    prompts.m_answers = {IDYES};
    std::unique_ptr<CTarvikApp> app = StartProgram(prompts, state.path().toStdString());
    EXPECT_GE(app->OfferRecovery(), 3u);
    ASSERT_TRUE(Heard(*app)) << "the port chosen before was not opened";
    EXPECT_FALSE(app->Session().IsAutoPort());
    EXPECT_EQ(app->Session().Connection().nPort, meter.SlaveNumber());
    EXPECT_EQ(prompts.m_asked.size(), 1u); // the recovery question, nothing else
    app->Frame().Commands().Execute(cmd::ID_PORT_AUTO);
  }
  CScriptedPrompts prompts;
  std::unique_ptr<CTarvikApp> app = StartProgram(prompts, state.path().toStdString());
  QTest::qWait(500);
  EXPECT_FALSE(app->Session().MeterHeard()) << "Auto was chosen: only discovery opens a port";
  EXPECT_TRUE(app->Session().IsAutoPort());
}

TEST(ChosenPortStart, APortChosenOnTheSimulatedMeterIsNotKept) {
  CTempConfigHome config;
  CScriptedPrompts prompts;
  CTarvikApp app(SimulatedOptions(), prompts);
  ASSERT_TRUE(StartShown(app));
  app.View().SetPortDialog([](int) { return 255; });
  app.Frame().Commands().Execute(cmd::ID_PORT_MANUAL);
  EXPECT_EQ(ReadChosenPort(QFile::encodeName(ColorConfigPath()).toStdString()), std::nullopt);
}
