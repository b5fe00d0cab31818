// Line faults from the simulated meter on a pseudo-terminal, through the
// port's reader and the receive path, as the program meets them.
#include "../meter/LineHarness.h"

#include "serial/ChunkCollector.h"
#include "serial/ComPort.h"
#include "sim/PtyMeter.h"
#include "sim/SimRecordingFile.h"
#include "sim/SimWire.h"

#include <gtest/gtest.h>

#include <thread>

using namespace std::chrono_literals;

namespace {

class LineFaultPtyTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_meter.SetWallClock([] { return FixedClock(); });
    m_meter.SetFrameInterval(15ms);
    m_meter.WithSim([](CMeterSim &s) { s.SetLevelSource(CLevelSource::Steps(40.0, 0.5, 1000)); });
    ASSERT_TRUE(m_meter.Start()) << m_meter.Error();
    m_port.SetReceiveCallback([this](const unsigned char *p, int n) { m_got.Add(p, n); });
    m_port.SetPortTemplate("/dev/pts/%d");
    ASSERT_TRUE(m_port.Open(m_meter.SlaveNumber(), 2, 9600, PARITY_NONE, 8, STOPBITS_ONE, FLOW_NONE))
        << m_port.LastError().m_strText;
    ASSERT_TRUE(m_meter.WaitFrames(3, 2s));
  }
  void Frames(int n) { ASSERT_TRUE(m_meter.WaitFrames(m_meter.FramesSent() + n, 3s)); }
  // Silences the meter and waits for the last bytes to come through.
  void Settle() {
    m_meter.FallSilent();
    std::size_t n = 0;
    for (int i = 0; i < 50 && n != m_got.Bytes().size(); ++i) {
      n = m_got.Bytes().size();
      std::this_thread::sleep_for(150ms); // past the reader's inter-byte time-out
    }
  }
  void FeedChunks(CLineHarness &h, std::size_t nFrom, std::size_t nTo) {
    auto chunks = m_got.Chunks();
    for (std::size_t i = nFrom; i < nTo && i < chunks.size(); ++i)
      h.Feed(chunks[i], chunks[i].size());
  }

  CChunkCollector m_got;
  CPtyMeter m_meter;
  CComPort m_port;
};

const unsigned char kRequest[2] = {0x5A, 0xAC};

} // namespace

TEST_F(LineFaultPtyTest, TheMetersClockIsSetFromTheComputers) {
  int nYear = 0, nMonth = 0, nDay = 0, nSeconds = 0;
  m_meter.WithSim([&](CMeterSim &s) {
    nYear = s.Year(), nMonth = s.Month(), nDay = s.Day(), nSeconds = s.SecondsOfDay();
  });
  EXPECT_EQ(nYear, 2026);
  EXPECT_EQ(nMonth, 12);
  EXPECT_EQ(nDay, 7);
  EXPECT_GE(nSeconds, 10 * 3600);
  EXPECT_LE(nSeconds, 10 * 3600 + 30);
  Settle();
  CLineHarness h;
  FeedChunks(h, 0, m_got.Chunks().size());
  ASSERT_FALSE(h.levels.empty());
  EXPECT_EQ(h.path.Reading().m_strCurTime.substr(0, 18), "07-12-2026,10:00:0");
}

TEST_F(LineFaultPtyTest, LiveDecodingResumesAfterEveryFault) {
  std::vector<uint8_t> noise(900);
  for (std::size_t i = 0; i < noise.size(); ++i)
    noise[i] = static_cast<uint8_t>(i * 37 + 11);
  m_meter.WithSim([&](CMeterSim &s) { s.PutOnLine(noise); });
  Frames(2);
  m_meter.WithSim([](CMeterSim &s) { s.PutOnLine(std::vector<uint8_t>(1500, 0xFF)); });
  Frames(2);
  m_meter.WithSim([](CMeterSim &s) {
    std::vector<uint8_t> f = CMeterSim().NextFrame();
    s.PutOnLine(std::vector<uint8_t>(f.begin(), f.begin() + 11));
  });
  Frames(2);
  for (int nBaud : {4800, 19200, sim::kLineBaud}) {
    m_meter.WithSim([&](CMeterSim &s) { s.SetTalkBaud(nBaud); });
    Frames(3);
  }
  Frames(8);
  Settle();
  double dLast = 0;
  m_meter.WithSim([&](CMeterSim &s) { dLast = s.DisplayedLevel(); });

  CLineHarness h;
  FeedChunks(h, 0, m_got.Chunks().size());
  ASSERT_GE(h.levels.size(), 8u);
  // The last frame and the ones before it, one level step apart.
  std::vector<double> tail;
  for (int i = 5; i >= 0; --i)
    tail.push_back(dLast - 0.5 * i);
  EXPECT_TRUE(h.EndsWith(tail)) << "last decoded " << h.levels.back() << ", meter at " << dLast;
  EXPECT_FALSE(h.path.Reading().m_bHold);
  EXPECT_GE(h.m_nHold, 1) << "the 0xFF run reads as the hold signal";
  EXPECT_LE(h.nPeakBuffer, kMaxUnframedChars + 40);
}

TEST_F(LineFaultPtyTest, DownloadsThatLieOrStopShortEndWithTheirRecords) {
  const std::vector<CSimRecording> recs = GenerateSimRecordings(3, 5);
  struct Case {
    const char *name;
    sim::CDownloadFault fault;
  };
  for (const Case &c : {Case{"length short", {-30, false}}, Case{"length long", {400, false}},
                        Case{"no end marker", {0, true}}}) {
    SCOPED_TRACE(c.name);
    m_meter.WithSim([&](CMeterSim &s) {
      s.PowerOn();
      s.SetRecordings(recs);
      s.SetDownloadFault(c.fault);
    });
    Frames(2);
    CLineHarness h;
    std::size_t nMark = m_got.Chunks().size();
    FeedChunks(h, 0, nMark);
    h.path.BeginDownload();
    ASSERT_EQ(m_port.Write(kRequest, 2), 2);
    ASSERT_TRUE(m_meter.WaitReceived(2, 1s));
    Frames(3);
    Settle();
    FeedChunks(h, nMark, m_got.Chunks().size());
    if (c.fault.m_bNoEndMarker) {
      EXPECT_TRUE(h.path.Progress().m_bDownloading) << "only the silence or the watchdog ends it";
      EXPECT_TRUE(h.path.AbandonDownload());
    }
    EXPECT_FALSE(h.path.Progress().m_bDownloading);
    EXPECT_EQ(h.m_nEnded, 1);
    EXPECT_EQ(h.logStore.GetSize(), 15u);
    EXPECT_EQ(h.path.Progress().m_nLogSize,
              static_cast<int>(sim::DownloadPayloadSize(recs)) + c.fault.m_nLengthSkew);
  }
}
