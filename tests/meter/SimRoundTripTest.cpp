#include "RecordingSink.h"

#include "meter/LogParser.h"
#include "meter/ReceivePath.h"
#include "sim/MeterSim.h"
#include "sim/SimWire.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace {

// What one frame carries whole (over/under and REC share a slot across
// two frames, so they are compared separately).
using Shown = std::tuple<double, std::string, bool, bool, bool, bool, int>;

Shown Snapshot(const CMeterReading &s) {
  return {s.m_dLevel, s.m_strCurTime, s.m_bWeightA, s.m_bFast, s.m_bMax, s.m_bMin, s.m_nRange};
}

std::string SimTime(const CMeterSim &sim) {
  char t[40];
  int s = sim.SecondsOfDay();
  std::snprintf(t, sizeof t, "07-12-2026,%.2d:%.2d:%.2d", s / 3600, s / 60 % 60, s % 60);
  return t;
}

// Collects a snapshot at every decoded frame (a refresh that changed what
// the frame carries; every frame of these streams differs from the last).
struct CDecodeLog : CRecordingSink {
  const CMeterReading *m_pState = nullptr;
  std::vector<Shown> m_shown;
  void OnReadoutRefresh() override {
    Shown s = Snapshot(*m_pState);
    if (m_shown.empty() || m_shown.back() != s)
      m_shown.push_back(s);
  }
};

// A stream of frames with distinct levels and seconds, keys pressed along
// the way.
std::vector<uint8_t> MakeStream(int nFrames) {
  CMeterSim sim;
  sim.SetLevelSource(CLevelSource::Steps(40.0, 0.7, 90));
  sim.SetTimeOfDay(11, 59, 0);
  const uint8_t keys[] = {0x77, 0x99, 0x11, 0x88, 0x55, 0x11, 0x88, 0x11, 0x99};
  std::vector<uint8_t> stream;
  for (int i = 0; i < nFrames; ++i) {
    if (i % 7 == 3)
      sim.OnBytesReceived(&keys[(i / 7) % 9], 1);
    std::vector<uint8_t> f = sim.NextFrame();
    stream.insert(stream.end(), f.begin(), f.end());
    sim.AdvanceSeconds(1);
  }
  return stream;
}

std::vector<Shown> DecodeInChunks(const std::vector<uint8_t> &stream, std::size_t nChunk) {
  CDecodeLog log;
  CReceivePath path(log, [] { return FixedClock(); });
  log.m_pState = &path.Reading();
  log.m_shown.push_back(Snapshot(path.Reading()));
  for (std::size_t at = 0; at < stream.size(); at += nChunk)
    path.OnChunk(stream.data() + at, std::min(nChunk, stream.size() - at));
  log.m_shown.erase(log.m_shown.begin());
  return log.m_shown;
}

const uint8_t kRequest[2] = {0x5A, 0xAC};

struct KeyState {
  bool bWeightA, bFast;
  int nMaxMin, nRange;
  bool bRec;
};

} // namespace

TEST(SimRoundTrip, EveryKeyStateDecodesBackToItself) {
  for (int mask = 0; mask < 2 * 2 * 3 * 4 * 2; ++mask) {
    KeyState want{mask % 2 == 0, mask / 2 % 2 == 0, mask / 4 % 3, mask / 12 % 4 + 1, mask / 48 % 2 == 1};
    CMeterSim sim;
    const double levels[] = {25.0, 55.5, 140.0, 90.1};
    sim.SetLevelSource(CLevelSource::Constant(levels[mask % 4]));
    sim.SetTimeOfDay(mask % 24, mask % 60, 59 - mask % 60);
    auto press = [&](uint8_t code, int n) {
      for (int i = 0; i < n; ++i)
        sim.OnBytesReceived(&code, 1);
    };
    if (sim.IsWeightA() != want.bWeightA)
      press(CMeterSim::kKeyAC, 1);
    if (sim.IsFast() != want.bFast)
      press(CMeterSim::kKeyFastSlow, 1);
    press(CMeterSim::kKeyMaxMin, want.nMaxMin);
    press(CMeterSim::kKeyLevel, (want.nRange - sim.Range() + 4) % 4);
    if (want.bRec)
      press(CMeterSim::kKeyRec, 1);

    CRecordingSink sink;
    CReceivePath path(sink, [] { return FixedClock(); });
    for (int i = 0; i < 6; ++i) {
      std::vector<uint8_t> frame = sim.NextFrame();
      path.OnChunk(frame.data(), frame.size());
    }
    const CMeterReading &st = path.Reading();
    SCOPED_TRACE(mask);
    EXPECT_DOUBLE_EQ(st.m_dLevel, levels[mask % 4]);
    EXPECT_EQ(st.m_strCurTime, SimTime(sim));
    EXPECT_EQ(st.m_bWeightA, want.bWeightA);
    EXPECT_EQ(st.m_bFast, want.bFast);
    EXPECT_EQ(st.m_bMax, want.nMaxMin == 1);
    EXPECT_EQ(st.m_bMin, want.nMaxMin == 2);
    EXPECT_EQ(st.m_nRange, want.nRange);
    EXPECT_EQ(st.m_bRec, want.bRec);
    EXPECT_EQ(st.m_bUnder, sim.IsUnder());
    EXPECT_EQ(st.m_bOver, sim.IsOver());
  }
}

// Cut anywhere, in chunks of any size, the stream yields every frame's
// state in order, each as soon as its last byte is in.
TEST(SimRoundTrip, ChunkSizeSweep) {
  std::vector<uint8_t> stream = MakeStream(80);
  std::vector<Shown> whole = DecodeInChunks(stream, 20);
  ASSERT_EQ(whole.size(), 80u);
  for (std::size_t n = 1; n <= 40; ++n)
    EXPECT_EQ(DecodeInChunks(stream, n), whole) << "chunk size " << n;

  // 20-byte reads that start in the middle of a frame
  std::vector<uint8_t> shifted(stream.begin() + 7, stream.end());
  std::vector<Shown> got = DecodeInChunks(shifted, 20);
  EXPECT_EQ(got, std::vector<Shown>(whole.begin() + 1, whole.end()));
}

TEST(SimRoundTrip, DownloadThroughTheReceivePath) {
  std::vector<CSimRecording> recs(3);
  recs[0] = {true, 2026, 12, 31, 23, 59, 58, 1, {65.2, 70.1, 71.0}};
  recs[1] = {false, 2027, 1, 2, 12, 0, 0, 10, {}};
  recs[2] = {true, 2027, 1, 2, 13, 30, 5, 2, {40.0, 99.9}};
  CMeterSim sim;
  sim.SetRecordings(recs);

  struct Sink : CRecordingSink {
    CReceivePath *path = nullptr;
    CLogDecodeState dec;
    CSampleStore store;
    void OnDownloadText(const std::string &t) override {
      CRecordingSink::OnDownloadText(t);
      ParseLogData(t, dec, store, *this);
    }
  };
  for (std::size_t n : {1u, 3u, 7u, 20u}) {
    Sink sink;
    CReceivePath path(sink, [] { return FixedClock(); });
    sink.path = &path;
    std::vector<uint8_t> live = sim.NextFrame();
    path.OnChunk(live.data(), live.size());

    path.BeginDownload();
    std::vector<uint8_t> dl = sim.OnBytesReceived(kRequest, 2);
    for (std::size_t at = 0; at < dl.size(); at += n)
      path.OnChunk(dl.data() + at, std::min(n, dl.size() - at));

    SCOPED_TRACE(n);
    EXPECT_FALSE(path.Progress().m_bDownloading);
    EXPECT_EQ(path.Progress().m_nLogSize, static_cast<int>(dl.size()) - 3);
    EXPECT_EQ(sink.m_nEnded, 1);
    ASSERT_EQ(sink.store.GetSize(), 5u);
    const CSampleStore &s = sink.store;
    EXPECT_EQ(s[0].m_strTime, "31-12-2026,23:59:58");
    EXPECT_EQ(s[2].m_strTime, "01-01-2027,0:00:00");
    EXPECT_DOUBLE_EQ(s[2].m_dValue, 71.0);
    EXPECT_EQ(s[3].m_strTime, "02-01-2027,13:30:05");
    EXPECT_EQ(s[4].m_strTime, "02-01-2027,13:30:07");
    EXPECT_EQ(s[3].m_nGroup, 3); // the empty second recording still counts
    EXPECT_EQ(s[4].m_strUnit, "dBA");
    EXPECT_DOUBLE_EQ(s[4].m_dValue, 99.9);
    EXPECT_DOUBLE_EQ(s[4].m_dSampleRate, 2.0);
  }
}

TEST(SimRoundTrip, EmptyMemoryAndHoldSignal) {
  CMeterSim sim;
  CRecordingSink sink;
  CReceivePath path(sink, [] { return FixedClock(); });
  path.BeginDownload();
  std::vector<uint8_t> dl = sim.OnBytesReceived(kRequest, 2);
  path.OnChunk(dl.data(), dl.size());
  EXPECT_EQ(sink.m_nEnded, 1);
  EXPECT_FALSE(path.Progress().m_bDownloading);

  sim.SetHold(true);
  std::vector<uint8_t> f = sim.NextFrame();
  path.OnChunk(f.data(), f.size());
  EXPECT_TRUE(path.Reading().m_bHold);
  EXPECT_EQ(sink.m_nHold, 1);
}
