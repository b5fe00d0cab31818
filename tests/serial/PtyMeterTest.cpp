#include "sim/PtyMeter.h"
#include "serial/ComPort.h"
#include "serial/PortDiscovery.h"
#include "sim/SimRecordingFile.h"

#include "serial/ChunkCollector.h"

#include <fstream>
#include <gtest/gtest.h>
#include <thread>

using namespace std::chrono_literals;

namespace {

class PtyMeterTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_meter.SetFrameInterval(20ms);
    ASSERT_TRUE(m_meter.Start()) << m_meter.Error();
    m_port.SetReceiveCallback([this](const unsigned char *p, int n) { m_got.Add(p, n); });
    m_port.SetPortTemplate("/dev/pts/%d");
    ASSERT_TRUE(m_port.Open(m_meter.SlaveNumber(), 2, 9600, PARITY_NONE, 8, STOPBITS_ONE, FLOW_NONE))
        << m_port.LastError().m_strText;
  }
  CChunkCollector m_got; // outlives the port's reader
  CPtyMeter m_meter;
  CComPort m_port;
};

} // namespace

TEST_F(PtyMeterTest, StreamsWholeLiveFramesInReadSizedChunks) {
  ASSERT_TRUE(m_got.WaitBytes(60));
  auto chunks = m_got.Chunks();
  ASSERT_GE(chunks.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    ASSERT_EQ(chunks[i].size(), 20u);
    EXPECT_EQ(chunks[i][0], 0xA5);
    EXPECT_EQ(chunks[i][1], 0x0D);
  }
}

TEST_F(PtyMeterTest, ActsOnKeyCodesAndAnswersTheDownloadRequest) {
  m_meter.WithSim([](CMeterSim &s) {
    s.SetFast(true);
    s.SetRecordings(GenerateSimRecordings(2, 10));
  });
  const unsigned char key = 0x77;
  ASSERT_EQ(m_port.Write(&key, 1), 1);
  ASSERT_TRUE(m_meter.WaitReceived(1, 1s));
  bool bFast = true;
  m_meter.WithSim([&](CMeterSim &s) { bFast = s.IsFast(); });
  EXPECT_FALSE(bFast);

  const unsigned char request[2] = {0x5A, 0xAC};
  ASSERT_EQ(m_port.Write(request, 2), 2);
  ASSERT_TRUE(m_meter.WaitReceived(3, 1s));
  auto rx = m_meter.Received();
  EXPECT_EQ(rx[1].m_byte, 0x5A);
  EXPECT_EQ(rx[2].m_byte, 0xAC);
  // The answer is somewhere after the frames already under way.
  for (int i = 0; i < 100; ++i) {
    auto bytes = m_got.Bytes();
    if (std::find(bytes.begin(), bytes.end(), 0xBB) != bytes.end() &&
        std::find(bytes.begin(), bytes.end(), 0xDD) != bytes.end())
      return;
    std::this_thread::sleep_for(10ms);
  }
  FAIL() << "no download header and end marker arrived";
}

TEST_F(PtyMeterTest, FallsSilentTalksAgainAndHangsUp) {
  ASSERT_TRUE(m_got.WaitBytes(20));
  m_meter.FallSilent();
  std::this_thread::sleep_for(150ms); // frames under way and the partial chunk timer
  size_t nBefore = m_got.Bytes().size();
  std::this_thread::sleep_for(100ms);
  EXPECT_EQ(m_got.Bytes().size(), nBefore);

  m_meter.Talk();
  EXPECT_TRUE(m_got.WaitBytes(nBefore + 20));

  m_meter.HangUp();
  for (int i = 0; i < 100 && !m_port.IsHungUp(); ++i)
    std::this_thread::sleep_for(2ms);
  EXPECT_TRUE(m_port.IsHungUp());
}

TEST_F(PtyMeterTest, ThePortCanCloseAndReopenWhileTheMeterRuns) {
  ASSERT_TRUE(m_got.WaitBytes(20));
  m_port.Close();
  std::this_thread::sleep_for(100ms); // frames sent to nobody
  ASSERT_TRUE(m_port.Open(m_meter.SlaveNumber(), 2, 9600, PARITY_NONE, 8, STOPBITS_ONE, FLOW_NONE));
  size_t n = m_got.Bytes().size();
  ASSERT_TRUE(m_got.WaitBytes(n + 40));
  auto chunks = m_got.Chunks();
  EXPECT_EQ(chunks.back()[0], 0xA5) << "frames after a reopen start whole";
}

TEST_F(PtyMeterTest, DiscoveryFindsTheSimulatorAsTheBridge) {
  CPortDiscovery d([] { return std::vector<CPortInfo>{}; });
  d.AddExtraPort(m_meter.PortInfo());
  const std::vector<int> found = d.FindBridgePorts();
  ASSERT_EQ(found, std::vector<int>{m_meter.SlaveNumber()});
  EXPECT_EQ(CSerialPort::PortDevice("/dev/pts/%d", found[0]), m_meter.SlavePath());
}

TEST(SimRecordingFileTest, RecordingsComeFromADataFileByRecordingNumber) {
  std::string path = ::testing::TempDir() + "/tarvik-sim-recs.txt";
  {
    std::ofstream out(path, std::ios::binary);
    out << "TX980 Sound Level Meter SamplingRate:2.0;\r\n"
           "05-03-2026,14:07:09, 61.20, dBC\r\n"
           "05-03-2026,14:07:11, 62.30, dBC\r\n";
  }
  std::vector<CSimRecording> recs;
  std::string strError;
  ASSERT_TRUE(LoadSimRecordings(path, recs, strError)) << strError;
  ASSERT_EQ(recs.size(), 1u);
  EXPECT_FALSE(recs[0].m_bWeightA);
  EXPECT_EQ(recs[0].m_nHour, 14);
  EXPECT_EQ(recs[0].m_nMinute, 7);
  EXPECT_EQ(recs[0].m_nSecond, 9);
  EXPECT_EQ(recs[0].m_nDay, 5);
  EXPECT_EQ(recs[0].m_nInterval, 2);
  EXPECT_EQ(recs[0].m_levels, std::vector<double>({61.2, 62.3}));

  EXPECT_FALSE(LoadSimRecordings(path + ".missing", recs, strError));
  EXPECT_NE(strError.find(".missing"), std::string::npos);
}
