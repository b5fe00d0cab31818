#include "serial/ComPort.h"
#include "sim/PtyMaster.h"

#include "serial/ChunkCollector.h"
#include "serial/PtyRead.h"

#include <atomic>
#include <gtest/gtest.h>
#include <map>
#include <thread>
#include <time.h>

using namespace std::chrono_literals;

namespace {

// The meter's settings, as the port opener uses them.
bool OpenMeter(CComPort &port, const CPtyMaster &pty) {
  port.SetPortTemplate("/dev/pts/%d");
  return port.Open(pty.SlaveNumber(), 2, 9600, PARITY_NONE, 8, STOPBITS_ONE, FLOW_NONE);
}

class ComPortTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_pty.Open()) << m_pty.Error();
    m_port.SetReceiveCallback([this](const unsigned char *p, int n) { m_got.Add(p, n); });
  }
  CChunkCollector m_got; // outlives the port's reader
  CPtyMaster m_pty;
  CComPort m_port;
};

} // namespace

TEST_F(ComPortTest, BytesArriveUnchangedAndNotThoseFromBeforeTheOpen) {
  ASSERT_TRUE(m_pty.WriteAll("old", 3));
  ASSERT_TRUE(OpenMeter(m_port, m_pty)) << m_port.LastError().m_strText;
  const std::vector<unsigned char> bytes = {0x00, 0x03, 0x0D, 0x11, 0x13, 0xFF, 0xA5};
  ASSERT_TRUE(m_pty.WriteAll(bytes.data(), bytes.size()));
  ASSERT_TRUE(m_got.WaitBytes(bytes.size()));
  EXPECT_EQ(m_got.Bytes(), bytes);
}

TEST_F(ComPortTest, ABurstIsCutIntoReadSizedChunksAndALoneByteArrivesAlone) {
  ASSERT_TRUE(OpenMeter(m_port, m_pty));
  unsigned char burst[50];
  for (int i = 0; i < 50; ++i)
    burst[i] = static_cast<unsigned char>(i);
  ASSERT_TRUE(m_pty.WriteAll(burst, sizeof burst));
  ASSERT_TRUE(m_got.WaitBytes(50));
  EXPECT_EQ(m_got.Sizes(), std::vector<size_t>({20, 20, 10}));

  unsigned char one = 0xA5;
  ASSERT_TRUE(m_pty.WriteAll(&one, 1));
  ASSERT_TRUE(m_got.WaitBytes(51));
  std::this_thread::sleep_for(150ms);
  ASSERT_TRUE(m_pty.WriteAll(&one, 1));
  ASSERT_TRUE(m_got.WaitBytes(52));
  EXPECT_EQ(m_got.Sizes(), std::vector<size_t>({20, 20, 10, 1, 1}));
}

TEST_F(ComPortTest, BytesBeforeTheCallbackIsSetAreDropped) {
  m_port.SetReceiveCallback(CComPort::RecvFn{});
  ASSERT_TRUE(OpenMeter(m_port, m_pty));
  ASSERT_TRUE(m_pty.WriteAll("early", 5));
  std::this_thread::sleep_for(150ms); // read and its partial chunk delivered to nobody

  m_port.SetReceiveCallback([this](const unsigned char *p, int n) { m_got.Add(p, n); });
  ASSERT_TRUE(m_pty.WriteAll("late", 4));
  ASSERT_TRUE(m_got.WaitBytes(4));
  auto bytes = m_got.Bytes();
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "late");
}

TEST_F(ComPortTest, CloseReturnsPromptlyAndIsSafeTwice) {
  ASSERT_TRUE(OpenMeter(m_port, m_pty));
  ASSERT_TRUE(m_port.IsOpen());
  auto t0 = std::chrono::steady_clock::now();
  m_port.Close();
  auto took = std::chrono::steady_clock::now() - t0;
  EXPECT_LT(took, 200ms) << "Close must not pause for the reader";
  EXPECT_FALSE(m_port.IsOpen());
  m_port.Close();
  EXPECT_EQ(m_port.Write("x", 1), 0);

  // The callback stays across Close and Open.
  ASSERT_TRUE(OpenMeter(m_port, m_pty));
  ASSERT_TRUE(m_pty.WriteAll("again", 5));
  EXPECT_TRUE(m_got.WaitBytes(5));
}

TEST_F(ComPortTest, FailedOpensLeaveThePortClosedWithTheirReason) {
  m_port.SetPortTemplate("/dev/ttyTarvikMissing%d");
  EXPECT_FALSE(m_port.Open(3, 2, 9600, PARITY_NONE, 8, STOPBITS_ONE, FLOW_NONE));
  EXPECT_FALSE(m_port.IsOpen());
  EXPECT_EQ(m_port.LastError().m_eReason, ESerialError::NoSuchDevice);
  EXPECT_EQ(m_port.PortNumber(), 3);

  CComPort holder;
  ASSERT_TRUE(OpenMeter(holder, m_pty));
  EXPECT_FALSE(OpenMeter(m_port, m_pty));
  EXPECT_EQ(m_port.LastError().m_eReason, ESerialError::InUse);
  EXPECT_FALSE(m_port.IsOpen());
}

TEST_F(ComPortTest, AHangUpEndsTheReaderOnceAndItStopsUsingTheProcessor) {
  std::atomic<int> nHangups{0};
  m_port.SetHangupCallback([&](const CSerialError &e) {
    EXPECT_EQ(e.m_eReason, ESerialError::HungUp);
    ++nHangups;
  });
  ASSERT_TRUE(OpenMeter(m_port, m_pty));
  ASSERT_TRUE(m_pty.WriteAll("ab", 2));
  ASSERT_TRUE(m_got.WaitBytes(2));
  m_pty.Close();

  auto t0 = std::chrono::steady_clock::now();
  while (!m_port.IsHungUp() && std::chrono::steady_clock::now() - t0 < 200ms)
    std::this_thread::sleep_for(2ms);
  EXPECT_TRUE(m_port.IsHungUp()) << "the reader did not notice the hang-up within 200 ms";

  timespec a{}, b{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &a);
  std::this_thread::sleep_for(100ms);
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &b);
  double dCpuMs = (b.tv_sec - a.tv_sec) * 1e3 + (b.tv_nsec - a.tv_nsec) / 1e6;
  EXPECT_LT(dCpuMs, 20.0) << "the reader spins on the dead descriptor";
  EXPECT_EQ(nHangups.load(), 1);
  EXPECT_EQ(m_port.Write("x", 1), 0);
  EXPECT_EQ(nHangups.load(), 1);
  EXPECT_TRUE(m_port.IsOpen()); // the view closes it; the state stays readable until then
  m_port.Close();
}

TEST_F(ComPortTest, BytesJustBeforeAHangUpAreStillDeliveredButNotAfterClose) {
  ASSERT_TRUE(OpenMeter(m_port, m_pty));
  ASSERT_TRUE(m_pty.WriteAll("tail", 4));
  std::this_thread::sleep_for(20ms); // read, but the chunk's 100 ms have not passed
  m_pty.Close();
  ASSERT_TRUE(m_got.WaitBytes(4, 500ms));
  auto bytes = m_got.Bytes();
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "tail");

  // A partial chunk pending at Close goes to nobody: the view has let go of the meter.
  CPtyMaster pty2;
  ASSERT_TRUE(pty2.Open());
  ASSERT_TRUE(OpenMeter(m_port, pty2));
  ASSERT_TRUE(pty2.WriteAll("late", 4));
  std::this_thread::sleep_for(20ms);
  m_port.Close();
  std::this_thread::sleep_for(120ms);
  EXPECT_EQ(m_got.Bytes().size(), 4u);
}

TEST_F(ComPortTest, ConcurrentWritersEachGetTheirBytesOutWhole) {
  ASSERT_TRUE(OpenMeter(m_port, m_pty));
  constexpr int kWriters = 20, kLen = 40;
  std::vector<std::thread> writers;
  std::atomic<int> nShort{0};
  for (int w = 0; w < kWriters; ++w)
    writers.emplace_back([&, w] {
      std::vector<unsigned char> msg(kLen, static_cast<unsigned char>(w));
      if (m_port.Write(msg.data(), kLen) != kLen)
        ++nShort;
    });
  auto got = ReadMaster(m_pty.Fd(), kWriters * kLen);
  for (auto &t : writers)
    t.join();
  EXPECT_EQ(nShort.load(), 0);
  ASSERT_EQ(got.size(), size_t(kWriters * kLen));
  std::map<int, int> runs;
  for (size_t i = 0; i < got.size(); i += kLen) {
    for (int k = 1; k < kLen; ++k)
      ASSERT_EQ(got[i + k], got[i]) << "writes interleaved at byte " << i + k;
    ++runs[got[i]];
  }
  EXPECT_EQ(runs.size(), size_t(kWriters));
}

TEST_F(ComPortTest, AWriteTheLineCannotTakeGivesUpAfterItsBound) {
  ASSERT_TRUE(OpenMeter(m_port, m_pty));
  // Nobody reads the meter's end: the queue fills and the rest must not block forever.
  std::vector<unsigned char> big(1 << 20, 0x55);
  auto t0 = std::chrono::steady_clock::now();
  int n = m_port.Write(big.data(), static_cast<int>(big.size()));
  auto took = std::chrono::steady_clock::now() - t0;
  EXPECT_LT(n, static_cast<int>(big.size()));
  EXPECT_GE(took, 900ms);
  EXPECT_LT(took, 3s);
  EXPECT_EQ(m_port.LastError().m_eReason, ESerialError::TimedOut);
}
