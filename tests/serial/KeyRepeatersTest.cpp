#include "serial/KeyRepeaters.h"
#include "monitor/ChunkMailbox.h"
#include "protocol/ReceivePath.h"
#include "serial/ComPort.h"
#include "sim/PtyMeter.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

using namespace std::chrono_literals;

namespace {

struct CQuietSink : IReceiveSink {
  void OnHoldSignal() override {}
  void OnDownloadEnded() override {}
  void OnDownloadProgress(int, int, int) override {}
  void OnReadoutRefresh() override {}
  void OnDownloadText(const std::string &) override {}
};

// The view's road: chunks from the reader are posted to the UI thread,
// decoded there, and the repeaters are told after every chunk.
class KeyRepeatersTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_meter.SetFrameInterval(50ms);
    m_meter.WithSim([](CMeterSim &s) { s.SetFast(true); });
    ASSERT_TRUE(m_meter.Start()) << m_meter.Error();
    m_port.SetReceiveCallback(
        [this](const unsigned char *p, int n) { m_mailbox.Post(p, static_cast<std::size_t>(n)); });
    m_port.SetPortTemplate("/dev/pts/%d");
    ASSERT_TRUE(m_port.Open(m_meter.SlaveNumber(), 2, 9600, PARITY_NONE, 8, STOPBITS_ONE, FLOW_NONE));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return m_path.State().m_bDataReceived && m_path.State().m_bFast; }, 2000));
  }
  void TearDown() override { m_port.Close(); }

  std::vector<uint8_t> KeysSeen() {
    std::vector<uint8_t> v;
    for (auto &r : m_meter.Received())
      v.push_back(r.m_byte);
    return v;
  }

  CPtyMeter m_meter;
  CQuietSink m_sink;
  CReceivePath m_path{m_sink};
  CChunkMailbox m_mailbox{[this](const QByteArray &c) {
    m_path.OnChunk(reinterpret_cast<const uint8_t *>(c.constData()), static_cast<std::size_t>(c.size()));
    m_keys.OnFrameDecoded();
  }};
  CComPort m_port;
  CKeyRepeaters m_keys{m_path.State(), m_port};
};

} // namespace

TEST_F(KeyRepeatersTest, FastSlowWhileFastWrites0x77AtOnceAndEvery600MsUntilSlow) {
  m_meter.WithSim([](CMeterSim &s) { s.IgnoreNextKeys(2); });
  ASSERT_TRUE(m_keys.Start(kKeyFastSlow));
  ASSERT_TRUE(m_meter.WaitReceived(1, 100ms)) << "the first send goes out with the press";
  ASSERT_TRUE(QTest::qWaitFor([&] { return !m_path.State().m_bFast; }, 3000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return m_keys.Active() == 0; }, 500));
  EXPECT_EQ(m_keys.Active(), 0);
  QTest::qWait(700); // a further interval passes without a send
  auto rx = m_meter.Received();
  ASSERT_EQ(rx.size(), 3u);
  for (auto &r : rx)
    EXPECT_EQ(r.m_byte, 0x77);
  for (size_t i = 1; i < rx.size(); ++i) {
    auto gap = std::chrono::duration_cast<std::chrono::milliseconds>(rx[i].m_time - rx[i - 1].m_time);
    EXPECT_GE(gap.count(), 550);
    EXPECT_LE(gap.count(), 1100);
  }
}

TEST_F(KeyRepeatersTest, APressWhileTheMeterIsSilentWritesNothing) {
  m_meter.FallSilent();
  m_path.State().m_bDataReceived = false; // what the 2-second silence check does
  m_keys.OnSilence();
  EXPECT_FALSE(m_keys.Start(kKeyAC));
  EXPECT_EQ(m_keys.Active(), 0);
  QTest::qWait(100);
  EXPECT_TRUE(m_meter.Received().empty());
}

TEST_F(KeyRepeatersTest, ClosingThePortEndsEveryRepetition) {
  m_meter.WithSim([](CMeterSim &s) { s.IgnoreNextKeys(1000); });
  ASSERT_TRUE(m_keys.Start(kKeyStop));
  ASSERT_TRUE(m_keys.Start(kKeyMaxMin));
  ASSERT_TRUE(m_keys.Start(kKeyLevel));
  EXPECT_EQ(m_keys.Active(), 3);
  ASSERT_TRUE(m_meter.WaitReceived(3, 200ms));
  m_port.Close();
  QTest::qWait(700); // every timer would have fired once more
  EXPECT_EQ(m_keys.Active(), 0);
  EXPECT_EQ(m_meter.Received().size(), 3u);
  EXPECT_FALSE(m_keys.Start(kKeyAC));
}

TEST_F(KeyRepeatersTest, SilenceEndsStopAndTwoPressesRepeatSideBySide) {
  m_meter.WithSim([](CMeterSim &s) { s.IgnoreNextKeys(1000); });
  ASSERT_TRUE(m_keys.Start(kKeyFastSlow));
  ASSERT_TRUE(m_keys.Start(kKeyFastSlow)); // pressed, dragged off and back: two repetitions
  ASSERT_TRUE(m_keys.Start(kKeyStop));
  ASSERT_TRUE(m_meter.WaitReceived(3, 200ms));
  EXPECT_EQ(m_keys.Active(), 3);
  m_keys.OnSilence();
  EXPECT_EQ(m_keys.Active(), 0);
  QTest::qWait(700);
  EXPECT_EQ(KeysSeen(), std::vector<uint8_t>({0x77, 0x77, 0x33}));
}
