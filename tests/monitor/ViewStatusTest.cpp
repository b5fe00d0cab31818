#include "app/SessionNotices.h"
#include "forms/UiTexts.h"
#include "monitor/ViewFixture.h"

#include <QLabel>
#include <QStatusBar>

#include <vector>

namespace {

// What the view reports for the status bar, recorded in order.
class ViewStatusTest : public ViewFixture {
protected:
  void Discover() {
    if (Active(S::TIMER_DISCOVER))
      Fire(S::TIMER_DISCOVER);
    else
      Session().SetAutoPort(); // a search now
    Fire(S::TIMER_OPEN_PORT);
  }
  void Silence() {
    m_clock.m_wall += 2;
    Fire(S::TIMER_SILENCE);
  }
  std::string Pane() const { return m_pApp->Frame().ConnectionPane()->text().toStdString(); }
  // Why the last run ended: a permanent field of the status bar.
  std::string StatusLine() const { return m_pApp->Frame().RunEndPane()->text().toStdString(); }
};

TEST_F(ViewStatusTest, ConnectionPaneFollowsThePortAndTheMeter) {
  EXPECT_EQ(m_pApp->Notices().Connection().ePort, ConnectionStatus::Port::Searching);
  Discover(); // no bridge
  EXPECT_EQ(Pane(), "Nenhum medidor encontrado");

  m_pLink->m_bridgePorts = {0};
  Discover();
  EXPECT_EQ(Pane(), "/dev/ttyUSB0: o medidor não envia dados");
  Hear();
  EXPECT_EQ(Pane(), "/dev/ttyUSB0: o medidor está a enviar dados");
  Hear();
  EXPECT_EQ(Pane(), "/dev/ttyUSB0: o medidor está a enviar dados");
  Silence();
  EXPECT_EQ(Pane(), "/dev/ttyUSB0: o medidor não envia dados");
  Hear();
  m_pLink->Unplug();
  Silence();
  EXPECT_EQ(Pane(), "/dev/ttyUSB0: o medidor foi desligado");

  m_pLink->m_openFailures[0] = "busy";
  Discover();
  EXPECT_EQ(Pane(), "Não foi possível abrir /dev/ttyUSB0");
  // A later search that finds nothing does not hide a port that is open.
  m_pLink->m_openFailures.clear();
  Discover();
  m_pLink->m_bridgePorts.clear();
  Discover();
  EXPECT_EQ(m_pApp->Notices().Connection().ePort, ConnectionStatus::Port::Open);
}

TEST_F(ViewStatusTest, ARunThatEndsByItselfSaysWhy) {
  ASSERT_TRUE(Session().ChoosePort(0));
  Hear();
  m_pView->OnRun();
  m_pView->OnStop(); // the user's own stop: nothing to explain
  EXPECT_EQ(StatusLine(), "");

  Session().SetSampleLimit(2);
  m_pView->OnRun();
  Tick(3);
  EXPECT_EQ(StatusLine(), "Medição terminada: atingido o número de amostras");
  m_pApp->Frame().statusBar()->showMessage(QStringLiteral("a menu tip")); // what a hover does
  m_pApp->Frame().statusBar()->clearMessage();
  EXPECT_EQ(StatusLine(), "Medição terminada: atingido o número de amostras");
  m_prompts.m_answers = {CPrompts::IDDISCARD};
  m_pView->OnRun();
  EXPECT_EQ(StatusLine(), ""); // until the next run starts
  m_pView->OnStop();
  m_prompts.m_answers = {CPrompts::IDDISCARD};
  m_pView->OnRun();
  Chunk(QByteArray("\xff", 1)); // the meter's HOLD
  EXPECT_EQ(StatusLine(), RunEndText(ERunEnd::HoldSignal));
  Reading().m_bHold = false;
  m_pView->OnRun();
  Silence();
  EXPECT_EQ(StatusLine(), RunEndText(ERunEnd::Silence));
  m_pLink->Unplug();
  Hear();
  m_pView->OnRun();
  Silence();
  EXPECT_EQ(StatusLine(), "Medição parada: o medidor foi desligado");
}

} // namespace
