#include "meter/ReceivePath.h"
#include "sim/SimWire.h"

#include "RecordingSink.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

// A download that stops after its first levels while the meter goes back
// to its display stream, a frame start split over two chunks included.
TEST(DownloadStall, LiveFramesAreNotDownloadBytesAndTenSecondsOfThemStallIt) {
  CRecordingSink sink;
  CReceivePath path(sink, FixedClock);
  const SteadyTime t0{};
  path.OnChunk(Bytes("a50d").data(), 2, t0); // heard
  path.BeginDownload(t0);

  CSimRecording rec;
  rec.m_levels.assign(40, 65.0);
  std::vector<uint8_t> download = sim::BuildDownload({rec});
  download.resize(30); // header, recording header, marker and some levels

  sim::CSimDisplay d;
  d.m_dLevel = 70.0;
  const std::vector<uint8_t> frame = sim::BuildLiveFrame(d);
  // The last download bytes and the first byte of a live frame in one chunk,
  // the rest of the frame in the next.
  download.push_back(frame[0]);
  path.OnChunk(download.data(), download.size(), t0 + 1s);
  path.OnChunk(frame.data() + 1, frame.size() - 1, t0 + 2s);
  for (int i = 3; i < 12; ++i)
    path.OnChunk(frame.data(), frame.size(), t0 + std::chrono::seconds(i));

  EXPECT_FALSE(path.DownloadStalled(t0 + 10s)); // nine seconds after its last byte
  EXPECT_TRUE(path.DownloadStalled(t0 + 11s));
  ASSERT_TRUE(path.AbandonDownload());
  ASSERT_EQ(sink.m_texts.size(), 1u);
  // The recording's levels that came, and nothing of the frames after them.
  EXPECT_EQ(sink.m_texts[0].find("a5"), std::string::npos) << sink.m_texts[0];
  EXPECT_NE(sink.m_texts[0].find("ac0650"), std::string::npos) << sink.m_texts[0];
}

TEST(DownloadStall, ASilentMeterOrNoDownloadIsNoStall) {
  CRecordingSink sink;
  CReceivePath path(sink, FixedClock);
  const SteadyTime t0{};
  EXPECT_FALSE(path.DownloadStalled(t0 + 1h)); // nothing begun
  path.BeginDownload(t0);
  EXPECT_FALSE(path.DownloadStalled(t0 + 1h)); // nothing heard: the silence check's case
}
