#include "monitor/ViewFixture.h"
#include "res/UiTexts.h"

#include <vector>

namespace {

// What the view reports for the status bar, recorded in order.
class ViewStatusTest : public ViewFixture {
protected:
  ViewStatusTest() {
    QObject::connect(m_pView, &CMyVomoView::connectionChanged,
                     [this](const ConnectionStatus &s) { m_panes.push_back(ConnectionText(s)); });
    QObject::connect(m_pView, &CMyVomoView::runEnded, [this](RunEndReason r) { m_runEnds.push_back(r); });
  }
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
  std::string Pane() const { return m_panes.empty() ? std::string() : m_panes.back(); }

  std::vector<std::string> m_panes;
  std::vector<RunEndReason> m_runEnds;
};

TEST_F(ViewStatusTest, ConnectionPaneFollowsThePortAndTheMeter) {
  EXPECT_EQ(m_pView->Connection().ePort, ConnectionStatus::Port::Searching);
  Discover(); // no bridge
  EXPECT_EQ(Pane(), "Nenhum medidor encontrado");

  m_pLink->m_bridgePorts = {0};
  Discover();
  EXPECT_EQ(Pane(), "/dev/ttyUSB0: o medidor não envia dados");
  Hear();
  EXPECT_EQ(Pane(), "/dev/ttyUSB0: o medidor está a enviar dados");
  const std::size_t nShown = m_panes.size();
  Hear(); // every frame: told once, not again
  EXPECT_EQ(m_panes.size(), nShown);
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
  EXPECT_EQ(m_pView->Connection().ePort, ConnectionStatus::Port::Open);
}

TEST_F(ViewStatusTest, ARunThatEndsByItselfSaysWhy) {
  ASSERT_TRUE(Session().ChoosePort(0));
  Hear();
  m_pView->OnRun();
  m_pView->OnStop(); // the user's own stop: nothing to explain
  EXPECT_TRUE(m_runEnds.empty());

  Session().SetSampleLimit(2);
  m_pView->OnRun();
  Tick(3);
  m_pView->OnRun();
  Chunk(QByteArray("\xff", 1)); // the meter's HOLD
  State().m_bHold = false;
  m_pView->OnRun();
  Silence();
  m_pLink->Unplug();
  Hear();
  m_pView->OnRun();
  Silence();
  EXPECT_EQ(m_runEnds, (std::vector<RunEndReason>{RunEndReason::SampleLimit, RunEndReason::HoldSignal,
                                                  RunEndReason::Silence, RunEndReason::Unplugged}));
  EXPECT_EQ(RunEndText(RunEndReason::SampleLimit), "Medição terminada: atingido o número de amostras");
  EXPECT_EQ(RunEndText(RunEndReason::Unplugged), "Medição parada: o medidor foi desligado");
}

} // namespace
