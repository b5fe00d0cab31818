#include "LineHarness.h"

#include "sim/LineFaults.h"
#include "sim/MeterSim.h"
#include "sim/SimRecordingFile.h"
#include "sim/SimWire.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

const uint8_t kRequest[2] = {CMeterSim::kRequest1, CMeterSim::kRequest2};

std::vector<uint8_t> Noise(std::size_t n) {
  std::vector<uint8_t> v(n);
  uint32_t x = 12345;
  for (auto &b : v) {
    x = x * 1103515245u + 12345u;
    b = static_cast<uint8_t>(x >> 16);
  }
  return v;
}

struct CLiveFault {
  const char *name;
  std::function<std::vector<uint8_t>(CMeterSim &)> bytes; // what the fault puts on the line
};

std::vector<uint8_t> FramesAtBaud(CMeterSim &sim, int nBaud) {
  sim.SetTalkBaud(nBaud);
  std::vector<uint8_t> out;
  for (int i = 0; i < 4; ++i) {
    std::vector<uint8_t> f = sim.NextFrame();
    out.insert(out.end(), f.begin(), f.end());
  }
  sim.SetTalkBaud(sim::kLineBaud);
  return out;
}

const CLiveFault kLiveFaults[] = {
    {"noise", [](CMeterSim &) { return Noise(700); }},
    {"ff_run", [](CMeterSim &) { return std::vector<uint8_t>(3000, 0xFF); }},
    {"first_half_frame",
     [](CMeterSim &s) {
       std::vector<uint8_t> f = s.NextFrame();
       return std::vector<uint8_t>(f.begin(), f.begin() + 9);
     }},
    {"second_half_frame",
     [](CMeterSim &s) {
       std::vector<uint8_t> f = s.NextFrame();
       return std::vector<uint8_t>(f.begin() + 9, f.end());
     }},
    {"meter_at_4800", [](CMeterSim &s) { return FramesAtBaud(s, 4800); }},
    {"meter_at_19200", [](CMeterSim &s) { return FramesAtBaud(s, 19200); }},
    {"meter_at_2400", [](CMeterSim &s) { return FramesAtBaud(s, 2400); }},
};

} // namespace

TEST(LineFaults, UartAtTheWrongSpeed) {
  // 0xFF at half speed: the start bit covers the first data bit, the rest
  // read high, and the stop bit falls in the sender's stop bit.
  EXPECT_EQ(sim::AsReceivedAt({0xFF}, 4800), (std::vector<uint8_t>{0xFE}));
  // At double speed a byte lasts half a received byte: 0x00 reads low for
  // its first three data bits, then its stop bit and the idle line.
  EXPECT_EQ(sim::AsReceivedAt({0x00}, 19200), (std::vector<uint8_t>{0xF8}));
  std::vector<uint8_t> frame(100, 0x5A);
  EXPECT_EQ(sim::AsReceivedAt(frame, 9600), frame);
  EXPECT_GT(sim::AsReceivedAt(frame, 4800).size(), frame.size());
  EXPECT_LT(sim::AsReceivedAt(frame, 19200).size(), frame.size());
}

// How many of `good` appear, in order, among `got`.
std::size_t InOrder(const std::vector<double> &good, const std::vector<double> &got) {
  std::size_t n = 0;
  for (double d : got)
    if (n < good.size() && d == good[n])
      ++n;
  return n;
}

// After each fault the frames that follow decode again, whatever the read
// size, and the buffer stays bounded. At most the frame sent with the fault
// is lost.
TEST(LineFaults, LiveDecodingResumesWithTheNextGoodFrame) {
  for (const CLiveFault &fault : kLiveFaults) {
    for (std::size_t nChunk : {3u, 7u, 13u, 20u}) {
      SCOPED_TRACE(std::string(fault.name) + " in reads of " + std::to_string(nChunk));
      CMeterSim sim;
      sim.SetLevelSource(CLevelSource::Steps(40.0, 0.5, 100));
      CLineHarness h;
      std::vector<uint8_t> stream;
      auto add = [&](const std::vector<uint8_t> &b) { stream.insert(stream.end(), b.begin(), b.end()); };
      for (int i = 0; i < 3; ++i)
        add(sim.NextFrame());
      sim.PutOnLine(fault.bytes(sim));
      add(sim.NextFrame()); // the burst goes out ahead of this frame
      std::vector<double> good;
      for (int i = 0; i < 10; ++i) {
        add(sim.NextFrame());
        good.push_back(sim.DisplayedLevel());
      }
      h.Feed(stream, nChunk);

      EXPECT_TRUE(h.EndsWith(good)) << InOrder(good, h.levels) << " of " << good.size();
      EXPECT_FALSE(h.path.Reading().m_bHold);
      EXPECT_LE(h.nPeakBuffer, kMaxUnframedChars + 2 * nChunk);
      EXPECT_GE(h.path.Reading().m_nRange, 1);
      EXPECT_LE(h.path.Reading().m_nRange, 4);
    }
  }
}

TEST(LineFaults, WrongSpeedForAWholeRunNeverGrowsTheBuffer) {
  for (int nBaud : {1200, 4800, 19200, 38400}) {
    SCOPED_TRACE(nBaud);
    CMeterSim sim;
    sim.SetTalkBaud(nBaud);
    CLineHarness h;
    for (int i = 0; i < 2000; ++i)
      h.Feed(sim.NextFrame(), 20);
    EXPECT_LE(h.nPeakBuffer, kMaxUnframedChars + 40 + 80);
  }
}

namespace {

std::vector<CSimRecording> ThreeRecordings() {
  std::vector<CSimRecording> recs(3);
  recs[0] = {true, 2026, 12, 7, 9, 0, 0, 1, {65.2, 70.1, 71.0}};
  recs[1] = {false, 2026, 12, 7, 10, 0, 0, 2, {50.5}};
  recs[2] = {true, 2026, 12, 7, 11, 30, 0, 1, {40.0, 41.1, 42.2, 43.3}};
  return recs;
}

// A download of three recordings, then live frames, through the path.
void RunDownload(CLineHarness &h, CMeterSim &sim, std::size_t nChunk) {
  h.Feed(sim.NextFrame(), nChunk);
  h.path.BeginDownload();
  h.Feed(sim.OnBytesReceived(kRequest, 2), nChunk);
}

} // namespace

TEST(LineFaults, LyingLengthWordOnlyMovesTheProgressRange) {
  for (int nSkew : {-60, -1, 1, 500}) {
    for (std::size_t nChunk : {3u, 20u}) {
      SCOPED_TRACE("skew " + std::to_string(nSkew) + " reads of " + std::to_string(nChunk));
      CMeterSim sim;
      sim.SetRecordings(ThreeRecordings());
      sim.SetDownloadFault({nSkew, false});
      CLineHarness h;
      RunDownload(h, sim, nChunk);
      EXPECT_FALSE(h.path.Progress().m_bDownloading);
      EXPECT_EQ(h.m_nEnded, 1);
      EXPECT_EQ(h.logStore.GetSize(), 8u);
      EXPECT_EQ(h.path.Progress().m_nLogSize,
                static_cast<int>(sim::DownloadPayloadSize(ThreeRecordings())) + nSkew);
      EXPECT_FALSE(h.path.AbandonDownload()); // the silence after it abandons nothing
    }
  }
}

TEST(LineFaults, LengthWordLyingEmptyEndsTheDownloadAndLiveResumes) {
  CMeterSim sim;
  sim.SetRecordings(ThreeRecordings());
  sim.SetLevelSource(CLevelSource::Steps(60.0, 1.0, 50));
  int nPayload = static_cast<int>(sim::DownloadPayloadSize(ThreeRecordings()));
  sim.SetDownloadFault({2 - nPayload, false});
  CLineHarness h;
  RunDownload(h, sim, 20);
  EXPECT_FALSE(h.path.Progress().m_bDownloading);
  EXPECT_EQ(h.m_nEnded, 1);
  EXPECT_TRUE(h.logStore.IsEmpty());
  std::vector<double> good;
  for (int i = 0; i < 4; ++i) {
    std::vector<uint8_t> f = sim.NextFrame();
    good.push_back(sim.DisplayedLevel());
    h.Feed(f, 20);
  }
  EXPECT_TRUE(h.EndsWith(good));
}

// No end marker: the path waits (the view's silence check or watchdog
// ends it) and then keeps every whole level that came.
TEST(LineFaults, DownloadWithoutEndMarkerKeepsWhatCame) {
  CMeterSim sim;
  sim.SetRecordings(ThreeRecordings());
  sim.SetDownloadFault({0, true});
  CLineHarness h;
  RunDownload(h, sim, 7);
  EXPECT_TRUE(h.path.Progress().m_bDownloading);
  EXPECT_TRUE(h.logStore.IsEmpty());
  ASSERT_TRUE(h.path.AbandonDownload());
  EXPECT_FALSE(h.path.Progress().m_bDownloading);
  EXPECT_EQ(h.m_nEnded, 1);
  ASSERT_EQ(h.logStore.GetSize(), 8u);
  EXPECT_EQ(h.logStore[7].m_strTime, "07-12-2026,11:30:03");
  EXPECT_DOUBLE_EQ(h.logStore[7].m_dValue, 43.3);
  EXPECT_EQ(h.logStore[7].m_nGroup, 3);
  EXPECT_FALSE(h.path.AbandonDownload());
}

TEST(LineFaults, DownloadCutOffKeepsTheWholeLevelsBeforeTheCut) {
  std::vector<uint8_t> dl = sim::BuildDownload(ThreeRecordings());
  // Header 3 bytes; recordings of 9 + 2n bytes: 15, 11, then 17.
  struct Cut {
    std::size_t nBytes;
    std::size_t nKept;
  };
  for (Cut cut : {Cut{3 + 15 + 11 + 9 + 3, 5}, // one level and half of the next
                  Cut{3 + 15 + 11 + 4, 4},     // inside the third recording's header
                  Cut{3 + 5, 0},               // inside the first header
                  Cut{2, 0}}) {                // inside the length word
    SCOPED_TRACE(cut.nBytes);
    CLineHarness h;
    h.path.BeginDownload();
    h.Feed(std::vector<uint8_t>(dl.begin(), dl.begin() + static_cast<std::ptrdiff_t>(cut.nBytes)), 5);
    EXPECT_EQ(h.path.AbandonDownload(), cut.nBytes > 3);
    EXPECT_EQ(h.logStore.GetSize(), cut.nKept);
  }
}
