// A whole 40,000-sample run at the fastest rate, compressed in time: the
// meter's frames go through the view's receive path and each sampling tick
// is called directly.
#include "../files/TempDir.h"
#include "forms/ControlIds.h"
#include "graph/GraphMath.h"
#include "graph/GraphicsBtn.h"
#include "monitor/PtyViewFixture.h"
#include "monitor/ViewFixture.h"
#include "records/AcousticStats.h"
#include "session/MonitorRun.h"
#include "sim/MeterSim.h"

#include <QTableView>

#include <cmath>

namespace {

class LongRunTest : public ViewFixture {
protected:
  LongRunTest() { m_sim.SetLevelSource(CLevelSource::Steps(35.0, 0.1, 950)); }
  // One tenth of a second: a frame from the meter, then the sampling tick.
  void TenthOfASecond() {
    if (++m_nTenths % 10 == 0) {
      m_sim.AdvanceSeconds(1);
      m_clock.m_wall += 1;
    }
    const std::vector<std::uint8_t> frame = m_sim.NextFrame();
    Chunk(QByteArray(reinterpret_cast<const char *>(frame.data()), static_cast<qsizetype>(frame.size())));
    Fire(S::TIMER_SAMPLE);
  }

  CMeterSim m_sim;
  int m_nTenths = 0;
};

TEST_F(LongRunTest, StopsAtExactly40000StaysFlatAndSavesAndReadsBackEverySample) {
  const std::vector<std::uint8_t> frame = m_sim.NextFrame();
  Chunk(QByteArray(reinterpret_cast<const char *>(frame.data()), static_cast<qsizetype>(frame.size())));
  Chunk(QByteArray(reinterpret_cast<const char *>(frame.data()), static_cast<qsizetype>(frame.size())));
  SelectRate("0.1");
  m_pView->OnRun();
  ASSERT_TRUE(Session().Running());
  EXPECT_EQ(IntervalMs(S::TIMER_SAMPLE), 100);
  // As in a window shrunk to nothing: the graph has no plot to redraw for
  // each of the 40,000 samples (its own cost, which grows with the run), so
  // the run takes seconds; everything else takes the view's whole path.
  m_pView->Graph().resize(1, 1);
  m_pView->Graph().ResetScale();
  ASSERT_FALSE(HasPlot(m_pView->Graph()));
  for (int i = 0; i < kMaxSamples; ++i)
    TenthOfASecond();
  EXPECT_TRUE(Session().Running()) << "stopped before the limit";
  EXPECT_EQ(m_stores.m_live.GetSize(), static_cast<std::size_t>(kMaxSamples));
  TenthOfASecond();
  EXPECT_FALSE(Session().Running());
  EXPECT_FALSE(Active(S::TIMER_SAMPLE));
  EXPECT_EQ(m_stores.m_live.GetSize(), static_cast<std::size_t>(kMaxSamples));
  EXPECT_EQ(Field(StatIds::kCount), "40000");
  // The noise figures followed every sample and end as the whole run's.
  std::vector<double> levels;
  for (std::size_t i = 0; i < m_stores.m_live.GetSize(); ++i)
    levels.push_back(m_stores.m_live[i].m_dValue);
  const AcousticStats whole = ComputeAcousticStats(levels, 0.1);
  EXPECT_EQ(Label(NoiseIds::kLeqLabel), "LAeq");
  EXPECT_EQ(Field(NoiseIds::kLeq).toStdString(), FormatDecibels(whole.dLeq));
  EXPECT_EQ(Field(NoiseIds::kL10).toStdString(), FormatDecibels(whole.dL10));
  EXPECT_EQ(Field(NoiseIds::kL50).toStdString(), FormatDecibels(whole.dL50));
  EXPECT_EQ(Field(NoiseIds::kL90).toStdString(), FormatDecibels(whole.dL90));
  EXPECT_EQ(Field(NoiseIds::kSel).toStdString(), FormatDecibels(whole.dSel));
  EXPECT_EQ(Field(NoiseIds::kDuration), "1:06:40");
  EXPECT_GE(Session().Timing().m_nFramesDecoded, static_cast<unsigned>(kMaxSamples));

  // The meter talks on and stray ticks come: nothing more is kept.
  for (int i = 0; i < 300; ++i)
    TenthOfASecond();
  const long nRss = ResidentKb();
  for (int i = 0; i < 3000; ++i)
    TenthOfASecond();
  EXPECT_EQ(m_stores.m_live.GetSize(), static_cast<std::size_t>(kMaxSamples));
  if (kResidentSizeIsMeaningful) {
    EXPECT_LT(ResidentKb() - nRss, 1024) << "memory grows after the run";
  }
  EXPECT_LT(Session().ReceiveBuffer().size(), 200u);

  CTempDir dir;
  const std::string path = dir.File("long.txt");
  m_prompts.m_paths = {QString::fromStdString(path), QString::fromStdString(path)};
  ASSERT_TRUE(m_commands.Execute(32786)); // "Guardar como"
  ASSERT_TRUE(m_commands.Execute(32790)); // "Abrir"
  for (const QString &m : m_prompts.Messages())
    ADD_FAILURE() << m.toStdString();
  ASSERT_EQ(m_stores.m_log.GetSize(), static_cast<std::size_t>(kMaxSamples));
  int nDiffer = 0;
  for (std::size_t i = 0; i < m_stores.m_live.GetSize(); ++i) {
    const CObjData &a = m_stores.m_live[i], &b = m_stores.m_log[i];
    if (std::fabs(a.m_dValue - b.m_dValue) > 1e-9 || a.m_strTime != b.m_strTime || a.m_strUnit != b.m_strUnit)
      ++nDiffer;
  }
  EXPECT_EQ(nDiffer, 0);
  EXPECT_DOUBLE_EQ(m_stores.m_log[kMaxSamples - 1].m_dValue, m_stores.m_live[kMaxSamples - 1].m_dValue);
}

} // namespace

namespace {

// The hidden table is not scrolled per sample; showing it brings its last row into view.
TEST_F(ViewFixture, ATableShownAfterARunInGraphModeShowsTheLastSample) {
  m_pView->resize(1000, 700);
  m_pView->show();
  Hear();
  m_pView->OnRun();
  Tick(300);
  auto *pList = DlgItem<QTableView>(m_pView, FormIds::kTable);
  ASSERT_NE(pList, nullptr);
  EXPECT_FALSE(pList->isVisible());
  m_pView->OnShowTable();
  QCoreApplication::processEvents();
  ASSERT_TRUE(pList->isVisible());
  const QModelIndex last = pList->model()->index(299, 0);
  EXPECT_TRUE(pList->viewport()->rect().intersects(pList->visualRect(last)));
  Tick(50); // while shown, each sample scrolls it on
  QCoreApplication::processEvents();
  EXPECT_TRUE(pList->viewport()->rect().intersects(pList->visualRect(pList->model()->index(349, 0))));
}

} // namespace
