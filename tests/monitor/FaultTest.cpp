// The meter and its port failing under the view: on the production link,
// with the simulated meter on a pseudo-terminal.
#include "datalog/DataFileMenu.h"
#include "datalog/DataLogDlg.h"
#include "datalog/DataLogHolder.h"
#include "forms/UiTexts.h"
#include "monitor/PtyViewFixture.h"
#include "monitor/RegistoFlow.h"
#include "serial/ComPort.h"
#include "sim/MeterSim.h"
#include "sim/SimRecordingFile.h"

#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

struct Sample {
  double dValue;
  std::string strTime;
  bool operator==(const Sample &) const = default;
};
std::vector<Sample> Samples(const CSampleStore &s) {
  std::vector<Sample> v;
  for (std::size_t i = 0; i < s.GetSize(); ++i)
    v.push_back({s[i].m_dValue, s[i].m_strTime});
  return v;
}

class FaultTest : public PtyViewFixture {
protected:
  void SetUp() override {
    m_meter.SetFrameInterval(20ms);
    ASSERT_TRUE(m_meter.Start()) << m_meter.Error();
    ListPort(m_meter.PortInfo());
    ASSERT_TRUE(DiscoverAndHear());
  }
  // Sampling ticks with the meter's frames delivered between them.
  void SampleFor(int nTicks) {
    for (int i = 0; i < nTicks; ++i) {
      QCoreApplication::processEvents();
      Fire(S::TIMER_SAMPLE);
    }
  }
};

TEST_F(FaultTest, UnpluggedDuringARunStopsItKeepsTheSamplesAndReopensOnArrival) {
  m_pView->OnRun();
  ASSERT_TRUE(Session().Running());
  SampleFor(5);
  const std::vector<Sample> before = Samples(m_stores.m_live);
  ASSERT_GE(before.size(), 5u);
  const std::string strOldDevice = m_meter.SlavePath();

  m_meter.HangUp();
  ASSERT_TRUE(QTest::qWaitFor([&] { return m_pLink->Port().IsHungUp(); }, 1000));
  QCoreApplication::processEvents(); // the last chunks the reader had
  SilenceCheckAfterQuiet();

  EXPECT_FALSE(Session().Running());
  EXPECT_FALSE(Reading().m_bDataReceived) << "the readout shows the silent meter";
  EXPECT_FALSE(Active(S::TIMER_SAMPLE));
  const std::vector<Sample> after = Samples(m_stores.m_live);
  ASSERT_GE(after.size(), before.size());
  EXPECT_TRUE(std::equal(before.begin(), before.end(), after.begin())) << "a sample taken was lost";
  Fire(S::TIMER_SAMPLE);
  EXPECT_EQ(Samples(m_stores.m_live), after);
  EXPECT_TRUE(m_prompts.m_asked.empty());

  // Nothing is left polling the dead line, and its node is let go, so the
  // device can come back under the same name.
  EXPECT_FALSE(m_pLink->Port().IsOpen());
  EXPECT_FALSE(HoldsDescriptorOn(strOldDevice));
  const double dCpu0 = ProcessCpuMs();
  std::this_thread::sleep_for(150ms);
  EXPECT_LT(ProcessCpuMs() - dCpu0, 30.0) << "a thread spins on the unplugged port";

  m_meterBack.SetFrameInterval(20ms);
  ASSERT_TRUE(m_meterBack.Start()) << m_meterBack.Error();
  ListPort(m_meterBack.PortInfo());
  Session().OnDeviceArrived();
  EXPECT_TRUE(Active(S::TIMER_DISCOVER));
  const unsigned nFrames = Session().Timing().m_nFramesDecoded;
  Fire(S::TIMER_DISCOVER);
  EXPECT_EQ(Session().Port(), m_meterBack.SlaveNumber());
  Fire(S::TIMER_OPEN_PORT);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Session().Timing().m_nFramesDecoded > nFrames; }, 3000));
  EXPECT_TRUE(Reading().m_bDataReceived);
  EXPECT_EQ(m_pLink->Port().Device(), m_meterBack.SlavePath());
  EXPECT_TRUE(m_prompts.m_asked.empty());
  EXPECT_EQ(Samples(m_stores.m_live), after) << "reopening touched the samples";
}

TEST_F(FaultTest, StopKeyToAPoweredOffMeterGoesOutOnceAndEndsWithTheSilence) {
  m_pView->OnMeterKey(0); // Stop
  ASSERT_TRUE(m_meter.WaitReceived(1, 500ms));
  EXPECT_EQ(m_meter.Received()[0].m_byte, 0x33);
  bool bPowered = true;
  m_meter.WithSim([&](CMeterSim &s) { bPowered = s.IsPoweredOn(); });
  EXPECT_FALSE(bPowered);
  // The meter went off, so no frame comes to show Stop failed: it is not
  // sent again, though the interval passes twice before the silence check.
  QTest::qWait(1300);
  EXPECT_EQ(m_meter.Received().size(), 1u) << "Stop sent again without a frame from the meter";
  const std::size_t nSent = m_meter.Received().size();
  SilenceCheckAfterQuiet();
  EXPECT_FALSE(Reading().m_bDataReceived);
  QTest::qWait(1300); // two more intervals
  EXPECT_EQ(m_meter.Received().size(), nSent) << "the repetition outlived the meter's voice";
  m_pView->OnMeterKey(0);
  QTest::qWait(50);
  EXPECT_EQ(m_meter.Received().size(), nSent) << "a key went to a silent meter";
}

TEST_F(FaultTest, APortHeldByAnotherProgramOrAMissingDeviceIsToldWithItsReason) {
  const int nPort = m_meter.SlaveNumber();
  Fire(S::TIMER_DISCOVER); // let go of the port, as if another program had it first
  m_pLink->Close();
  CComPort other;
  other.SetPortTemplate("/dev/pts/%d");
  ASSERT_TRUE(other.Open(nPort, 2, 9600, PARITY_NONE, 8, STOPBITS_ONE, FLOW_NONE));
  const int nThreads = Threads();

  EXPECT_FALSE(Session().ChoosePort(nPort));
  ASSERT_EQ(m_prompts.Messages().size(), 1u);
  EXPECT_EQ(m_prompts.Messages()[0].toStdString(), "Warning:Can't open COM" + std::to_string(nPort) +
                                                       "!\nAnother program holds " + m_meter.SlavePath() +
                                                       "; close it and try again.");
  EXPECT_FALSE(m_pLink->IsOpen());
  EXPECT_EQ(Threads(), nThreads) << "a failed open left a reader behind";

  m_pLink->Port().SetPortTemplate("/dev/ttyTarvikGone%d");
  EXPECT_FALSE(Session().ChoosePort(7));
  ASSERT_EQ(m_prompts.Messages().size(), 2u);
  EXPECT_EQ(m_prompts.Messages()[1], "Warning:Can't open COM7!\n/dev/ttyTarvikGone7 does not exist; is the "
                                     "meter connected?");
  EXPECT_EQ(m_prompts.m_asked[1].caption, "Tarvik");
}

// A meter whose bytes the test writes itself: live frames and the download
// of CMeterSim, cut where the cable is pulled.
class DownloadFaultTest : public PtyViewFixture {
protected:
  void SetUp() override {
    ASSERT_TRUE(ListTestLine()) << m_line.Error();
    m_sim.SetRecordings(GenerateSimRecordings(3, 40));
    Fire(S::TIMER_DISCOVER);
    Fire(S::TIMER_OPEN_PORT);
    ASSERT_TRUE(m_pLink->IsOpen());
    for (int i = 0; i < 3; ++i)
      ASSERT_TRUE(Send(m_sim.NextFrame()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Session().Timing().m_nFramesDecoded > 0; }, 2000));
    // An earlier download's records, which the new one replaces.
    m_stores.m_log.Emplace(70.0, "07-12-2026,1:00:00", "dBA", 1, 1.0);
  }
  bool Send(const std::vector<std::uint8_t> &bytes) { return m_line.WriteAll(bytes.data(), bytes.size()); }
  // Starts "Registo" and answers its request with the whole download.
  std::vector<std::uint8_t> RequestDownload() {
    m_pApp->Registo().OnRegisto();
    EXPECT_TRUE(Session().Progress().m_bDownloading);
    std::uint8_t req[2] = {};
    std::size_t nGot = 0;
    for (int i = 0; i < 200 && nGot < 2; ++i) {
      ssize_t n = ::read(m_line.Fd(), req + nGot, 2 - nGot);
      if (n > 0)
        nGot += static_cast<std::size_t>(n);
      else
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_EQ(nGot, 2u);
    return m_sim.OnBytesReceived(req, nGot);
  }
  // The cable is pulled, the remaining chunks are delivered and the meter
  // counts as gone.
  void Unplug() {
    m_line.Close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_pLink->Port().IsHungUp(); }, 1000));
    QTest::qWait(150); // the reader's last, short chunk
    SilenceCheckAfterQuiet();
  }

  CMeterSim m_sim;
};

TEST_F(DownloadFaultTest, UnpluggedMidwayTellsTheErrorLeavesDownloadModeAndStopsWriting) {
  std::vector<std::uint8_t> download = RequestDownload();
  ASSERT_GT(download.size(), 200u);
  download.resize(download.size() / 2);
  ASSERT_TRUE(Send(download));
  ASSERT_TRUE(QTest::qWaitFor([&] { return Session().Progress().m_bLogHeader; }, 2000));
  Unplug();

  EXPECT_FALSE(Session().Progress().m_bDownloading);
  EXPECT_EQ(Session().DownloadPhase(), S::EDownloadPhase::Idle);
  ASSERT_EQ(m_prompts.Messages().size(), 1u);
  EXPECT_EQ(m_prompts.Messages()[0], QString("Occur an error\n") + UiTexts::kCauseUnplugged.source);
  EXPECT_EQ(m_prompts.m_asked[0].caption, "error");
  EXPECT_FALSE(m_pApp->Registo().Dialog().isVisible());
  // The whole recordings and levels that arrived are kept, and the earlier
  // download's record is gone; the window opens on them.
  const CSampleStore &log = m_stores.m_log;
  ASSERT_GT(log.GetSize(), 0u);
  EXPECT_LT(log.GetSize(), 120u);
  EXPECT_EQ(log[0].m_nGroup, 1);
  for (std::size_t i = 1; i < log.GetSize(); ++i)
    EXPECT_GE(log[i].m_nGroup, log[i - 1].m_nGroup);
  ASSERT_NE(m_pApp->FileMenu().DataLog().Get(), nullptr);
  EXPECT_TRUE(m_pApp->FileMenu().DataLog().Get()->isVisible());
  // The watchdog that fires later changes nothing more.
  Fire(S::TIMER_LOG_TIMEOUT);
  EXPECT_EQ(m_prompts.Messages().size(), 1u);
}

TEST_F(DownloadFaultTest, UnpluggedRightAfterTheEndMarkerKeepsEveryRecord) {
  std::vector<std::uint8_t> download = RequestDownload();
  ASSERT_EQ(download.back(), 0x00);
  ASSERT_EQ(download[download.size() - 2], 0xDD);
  download.pop_back(); // the trailing byte never comes
  ASSERT_TRUE(Send(download));
  // Bytes still in the line when it hangs up are lost, as on a real cable.
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Session().Progress().m_bDownloading; }, 2000));
  Unplug();

  EXPECT_FALSE(Session().Progress().m_bDownloading);
  EXPECT_TRUE(m_prompts.Messages().empty());
  ASSERT_EQ(m_stores.m_log.GetSize(), 120u);
  EXPECT_EQ(m_stores.m_log[0].m_nGroup, 1);
  EXPECT_EQ(m_stores.m_log[119].m_nGroup, 3);
  ASSERT_NE(m_pApp->FileMenu().DataLog().Get(), nullptr);
  EXPECT_TRUE(m_pApp->FileMenu().DataLog().Get()->isVisible());
}

} // namespace
