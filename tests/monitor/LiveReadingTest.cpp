// What the view shows and samples from a meter on a pseudo-terminal whose
// bytes the test writes itself: frames cut into short reads, line noise, the
// hold signal; and a meter that hangs up in the middle of a fast run.
#include "forms/ControlIds.h"
#include "kit/DialogBuilder.h"
#include "monitor/PtyViewFixture.h"
#include "monitor/ReadoutPanel.h"
#include "session/MonitorRun.h"
#include "sim/MeterSim.h"

#include <QComboBox>
#include <QCoreApplication>

#include <thread>

using namespace std::chrono_literals;

namespace {

using Clock = std::chrono::steady_clock;

class LiveReadingTest : public PtyViewFixture {
protected:
  void SetUp() override {
    ASSERT_TRUE(ListTestLine()) << m_line.Error();
    m_sim.SetLevelSource(CLevelSource::Steps(50.0, 0.5, 60));
    m_sim.SetRange(1); // no "AUTO" where "HOLD" is drawn
    Fire(S::TIMER_DISCOVER);
    Fire(S::TIMER_OPEN_PORT);
    ASSERT_TRUE(m_pLink->IsOpen());
    QObject::connect(m_pView, &CMyVomoView::readoutRefresh, [this] {
      if (Session().Timing().m_nFramesDecoded != m_decoded.size())
        m_decoded.push_back({Clock::now(), Reading().m_dLevel});
    });
  }
  bool Send(const std::vector<std::uint8_t> &bytes) { return m_line.WriteAll(bytes.data(), bytes.size()); }
  // A frame on the line, and its level once decoded.
  std::vector<std::uint8_t> Frame(double *pLevel = nullptr) {
    std::vector<std::uint8_t> f = m_sim.NextFrame();
    if (pLevel)
      *pLevel = m_sim.DisplayedLevel();
    return f;
  }
  bool SendFrame() {
    double d = 0;
    const bool bOk = Send(Frame(&d));
    const std::size_t n = m_decoded.size();
    return bOk && QTest::qWaitFor([&] { return m_decoded.size() > n; }, 3000) && m_decoded.back().dLevel == d;
  }
  void SelectRateAndRun(const char *text) {
    auto *rate = DlgItem<QComboBox>(m_pView, StatIds::kRate);
    rate->setCurrentIndex(rate->findText(QString::fromLatin1(text)));
    m_pView->OnRun();
    ASSERT_TRUE(Session().Running());
  }
  QImage HoldPlace() {
    auto *panel = qobject_cast<CReadoutPanel *>(m_pView->Readout());
    return panel->ReadoutImage().copy(128, 231, 40, 14);
  }

  struct Decoded {
    Clock::time_point t;
    double dLevel;
  };
  std::vector<Decoded> m_decoded;
  CMeterSim m_sim;
};

} // namespace

// Short reads: a frame written in pieces that the port reads one by one is
// decoded as soon as its last piece is read (the port's reads end 100 ms
// after the last byte), never a frame later, and none is lost.
TEST_F(LiveReadingTest, FramesCutIntoShortReadsAreEachDecodedWithTheirLastByte) {
  const std::vector<std::vector<std::size_t>> cuts = {{20},     {1, 19}, {2, 18}, {4, 16},      {5, 15},
                                                      {10, 10}, {13, 7}, {19, 1}, {5, 5, 5, 5}, {3, 7, 10}};
  std::vector<double> levels;
  std::vector<Clock::time_point> lastByte;
  std::vector<std::vector<std::uint8_t>> frames;
  for (std::size_t i = 0; i < cuts.size(); ++i) {
    double d = 0;
    frames.push_back(Frame(&d));
    levels.push_back(d);
  }
  constexpr auto kFrameInterval = 500ms;
  std::thread meter([&] {
    for (std::size_t i = 0; i < frames.size(); ++i) {
      const Clock::time_point tFrame = Clock::now();
      std::size_t at = 0;
      for (std::size_t n : cuts[i]) {
        if (at > 0)
          std::this_thread::sleep_for(130ms); // the read before ends
        m_line.WriteAll(frames[i].data() + at, n);
        at += n;
      }
      lastByte.push_back(Clock::now());
      std::this_thread::sleep_until(tFrame + kFrameInterval + 130ms * (cuts[i].size() - 1));
    }
  });
  const bool bAll = QTest::qWaitFor([&] { return m_decoded.size() >= frames.size(); }, 15000);
  meter.join();
  ASSERT_TRUE(bAll) << m_decoded.size() << " of " << frames.size() << " frames decoded";
  ASSERT_EQ(m_decoded.size(), frames.size());
  for (std::size_t i = 0; i < frames.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(m_decoded[i].dLevel, levels[i]);
    const auto late = std::chrono::duration_cast<std::chrono::milliseconds>(m_decoded[i].t - lastByte[i]);
    EXPECT_LT(late, kFrameInterval) << "decoded only with a later frame";
  }
}

// Noise is no reading: frames whose level bytes hold letters and chunks
// with the bytes 0x0F 0xF0 ("ff" across two bytes) neither become samples
// nor stop the run.
TEST_F(LiveReadingTest, LineNoiseNeitherBecomesASampleNorStopsTheRun) {
  ASSERT_TRUE(SendFrame());
  std::vector<double> good = {m_decoded.back().dLevel};
  SelectRateAndRun("0.1");
  for (int i = 0; i < 6; ++i) {
    for (std::uint8_t bad : {0x0A, 0x1A, 0x9E}) {
      std::vector<std::uint8_t> f = Frame();
      f[2] = bad; // 0x0A 0x52 once read as 0.0 dB, 0x1A as 1.0, 0x9E as 9.0
      ASSERT_TRUE(Send(f));
      QTest::qWait(40);
    }
    ASSERT_TRUE(Send({0x0F, 0xF0}));
    QTest::qWait(150); // a read of its own
    ASSERT_TRUE(SendFrame());
    good.push_back(m_decoded.back().dLevel);
  }
  EXPECT_TRUE(Session().Running()) << "noise stopped the run";
  EXPECT_FALSE(Reading().m_bHold);
  m_pView->OnStop();
  ASSERT_GT(m_stores.m_live.GetSize(), 5u);
  for (std::size_t i = 0; i < m_stores.m_live.GetSize(); ++i)
    EXPECT_NE(std::find(good.begin(), good.end(), m_stores.m_live[i].m_dValue), good.end())
        << "sample " << i << " is " << m_stores.m_live[i].m_dValue << " dB, which no good frame carried";
}

// The hold signal shows "HOLD" on the readout at once; the next frame
// without it takes it away again.
TEST_F(LiveReadingTest, HoldSignalShowsHoldUntilAFrameClearsIt) {
  m_sim.SetLevelSource(CLevelSource::Constant(64.5)); // the digits reach into the place
  ASSERT_TRUE(SendFrame());
  const QImage before = HoldPlace();
  m_sim.SetHold(true);
  ASSERT_TRUE(Send(Frame()));
  ASSERT_TRUE(QTest::qWaitFor([&] { return Reading().m_bHold; }, 3000));
  EXPECT_NE(HoldPlace(), before) << "HOLD is not drawn";
  m_sim.SetHold(false);
  ASSERT_TRUE(SendFrame());
  EXPECT_FALSE(Reading().m_bHold);
  EXPECT_EQ(HoldPlace(), before);
}

// A hang-up during a 0.1 s run: the ticks that follow record nothing once
// the last reading is older than its freshness window, so no copies of the
// last level enter the statistics before the silence check ends the run.
TEST_F(PtyViewFixture, HangUpInAFastRunRecordsNoSampleAfterTheLastReadingGoesStale) {
  m_meter.SetFrameInterval(100ms);
  ASSERT_TRUE(m_meter.Start()) << m_meter.Error();
  ListPort(m_meter.PortInfo());
  ASSERT_TRUE(DiscoverAndHear());
  auto *rate = DlgItem<QComboBox>(m_pView, StatIds::kRate);
  rate->setCurrentIndex(rate->findText(QStringLiteral("0.1")));
  m_pView->OnRun();
  QTest::qWait(800);
  ASSERT_GE(m_stores.m_live.GetSize(), 3u);
  m_meter.HangUp();
  ASSERT_TRUE(QTest::qWaitFor([&] { return m_pLink->Port().IsHungUp(); }, 1000));
  // Until the silence check (which this fixed clock never makes) the run goes on.
  std::vector<std::pair<Clock::time_point, std::size_t>> counts;
  const Clock::time_point tEnd = Clock::now() + 2500ms;
  while (Clock::now() < tEnd) {
    QTest::qWait(10);
    counts.emplace_back(Clock::now(), m_stores.m_live.GetSize());
  }
  EXPECT_TRUE(Session().Running());
  const Clock::time_point tStale = Session().Timing().m_tLastFrame + FreshnessWindow(Session().Timing());
  // A tick already running when the window closed may still land.
  for (auto [t, n] : counts) {
    if (t > tStale + 150ms) {
      EXPECT_EQ(n, counts.back().second) << "a sample after the last reading went stale";
    }
  }
  EXPECT_EQ(m_stores.m_live.GetSize(), counts.back().second);
}
