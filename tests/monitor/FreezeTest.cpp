// The window's thread held up (a grabbed X server, a screenshot) while the
// simulated meter keeps sending on its pseudo-terminal.
#include "forms/ControlIds.h"
#include "kit/DialogBuilder.h"
#include "monitor/PtyViewFixture.h"
#include "session/SessionHost.h"

#include <QComboBox>

#include <thread>

using namespace std::chrono_literals;

namespace {

struct CRunEnds : ISessionObserver {
  std::vector<ERunEnd> ends;
  void OnRunEnded(ERunEnd e) override { ends.push_back(e); }
};

// A 0.2 s run of a meter that sends every 0.25 s: a 2.5 s freeze neither
// ends it nor fills in the samples it missed, which start a new group.
TEST_F(PtyViewFixture, AFrozenWindowNeitherEndsTheRunNorInventsSamples) {
  m_meter.SetFrameInterval(250ms);
  ASSERT_TRUE(m_meter.Start()) << m_meter.Error();
  ListPort(m_meter.PortInfo());
  ASSERT_TRUE(DiscoverAndHear());
  CRunEnds ends;
  Session().AddObserver(ends);
  auto *rate = DlgItem<QComboBox>(m_pView, StatIds::kRate);
  rate->setCurrentIndex(rate->findText("0.2"));
  m_pView->OnRun();
  ASSERT_TRUE(Session().Running());
  QTest::qWait(1000);
  const std::size_t nBefore = m_stores.m_live.GetSize();
  ASSERT_GE(nBefore, 3u);

  std::this_thread::sleep_for(2500ms); // the event loop is frozen
  m_clock.m_wall += 3;                 // while the calendar goes on
  m_pApp->SessionHost().AdvanceNow();  // the wake timer comes first
  QTest::qWait(1500);

  EXPECT_TRUE(Session().Running());
  EXPECT_TRUE(ends.ends.empty()) << "ended for " << static_cast<int>(ends.ends.front());
  const std::size_t nAfter = m_stores.m_live.GetSize();
  ASSERT_GT(nAfter, nBefore + 3) << "sampling goes on after the freeze";
  EXPECT_GE(Session().MissedSamples(), 10u);
  EXPECT_LE(Session().MissedSamples(), 13u);
  EXPECT_EQ(m_stores.m_live[0].m_nGroup, 0);
  EXPECT_EQ(m_stores.m_live[nAfter - 1].m_nGroup, 1) << "the samples after the gap are set apart";
  Session().RemoveObserver(ends);
}

} // namespace
