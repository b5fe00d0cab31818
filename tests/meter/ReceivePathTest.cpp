#include "RecordingSink.h"

#include "meter/LiveFrame.h"
#include "meter/ReceivePath.h"

#include <gtest/gtest.h>

namespace {

const std::string kExample = "a50d0652a502a51ba506221530a504a540a51100";

struct ReceivePathTest : ::testing::Test {
  CRecordingSink sink;
  CReceivePath path{sink, [] { return FixedClock(); }};
  CMeterReading &st = path.Reading();
  const CLineTiming &tm = path.Timing();
  const CDownloadProgress &dl = path.Progress();

  void Feed(const std::string &hex) {
    std::vector<uint8_t> b = Bytes(hex);
    path.OnChunk(b.data(), b.size());
  }
};

CMeterReading Decode(const std::string &frame, CMeterReading st = {}) {
  DecodeLiveFrame(frame, st, "07-12-2026,");
  return st;
}

std::string WithLevel(const std::string &level) {
  return "a50d" + level + kExample.substr(8);
}
std::string WithHour(const std::string &hour) {
  return kExample.substr(0, 20) + hour + kExample.substr(22);
}

} // namespace

TEST_F(ReceivePathTest, ExampleFrameDecodesAsSoonAsItIsIn) {
  st.m_bRec = true;
  st.m_bLatch = st.m_bShowLatched = st.m_bUnder = st.m_bOver = st.m_bMin = true;
  Feed(kExample);
  EXPECT_DOUBLE_EQ(st.m_dLevel, 65.2);
  EXPECT_TRUE(st.m_bWeightA);
  EXPECT_EQ(st.m_strCurTime, "07-12-2026,14:15:30");
  EXPECT_TRUE(st.m_bFast);
  EXPECT_TRUE(st.m_bMax);
  EXPECT_FALSE(st.m_bMin);
  EXPECT_FALSE(st.m_bUnder || st.m_bOver || st.m_bLatch || st.m_bShowLatched);
  EXPECT_EQ(st.m_nRange, 4);
  EXPECT_TRUE(st.m_bRec); // no REC tag: unchanged
  EXPECT_TRUE(path.Buffer().empty());
  EXPECT_EQ(dl.m_nRecvBytes, 0);
  EXPECT_TRUE(st.m_bDataReceived);
  EXPECT_EQ(tm.m_tLastRecv, FixedClock());
  EXPECT_EQ(sink.m_nRefresh, 1);
}

// Short reads: the frame is decoded with the chunk that brings its last
// byte, dated by the chunk that brought its first.
TEST_F(ReceivePathTest, FrameInChunksOfAnySizeDecodesWithItsLastByte) {
  const std::vector<uint8_t> two = Bytes(kExample + WithLevel("0713"));
  for (std::size_t nChunk : {1u, 2u, 4u, 5u, 7u, 10u, 13u, 40u}) {
    SCOPED_TRACE(nChunk);
    CRecordingSink s;
    CReceivePath p(s, [] { return FixedClock(); });
    const SteadyTime t0{std::chrono::seconds(50)};
    std::vector<unsigned> framesAfter;
    for (std::size_t at = 0; at < two.size(); at += nChunk) {
      const std::size_t n = std::min(nChunk, two.size() - at);
      p.OnChunk(two.data() + at, n, t0 + std::chrono::milliseconds(at));
      framesAfter.push_back(p.Timing().m_nFramesDecoded);
      if (at < 20 && at + n >= 20) {
        EXPECT_EQ(p.Timing().m_tFrameBegan, t0);
      }
    }
    for (std::size_t i = 0, at = 0; i < framesAfter.size(); ++i, at += nChunk) {
      const std::size_t end = std::min(at + nChunk, two.size());
      EXPECT_EQ(framesAfter[i], (end >= 20 ? 1u : 0u) + (end >= 40 ? 1u : 0u)) << "after byte " << end;
    }
    EXPECT_DOUBLE_EQ(p.Reading().m_dLevel, 71.3);
    EXPECT_EQ(p.Timing().m_tFrameBegan, t0 + std::chrono::milliseconds(20 / nChunk * nChunk));
    EXPECT_EQ(p.Timing().m_tLastFrame, t0 + std::chrono::milliseconds((39 / nChunk) * nChunk));
    EXPECT_EQ(s.m_nRefresh, 2);
  }
}

TEST_F(ReceivePathTest, JunkBeforeTheStartAndCutOffFramesAreDropped) {
  Feed("0102" + kExample);
  EXPECT_DOUBLE_EQ(st.m_dLevel, 65.2);
  // half a frame, then a whole one: only the whole one is decoded
  Feed(WithLevel("0999").substr(0, 18) + WithLevel("0713"));
  EXPECT_DOUBLE_EQ(st.m_dLevel, 71.3);
  EXPECT_EQ(tm.m_nFramesDecoded, 2u);
  EXPECT_TRUE(path.Buffer().empty());
}

// Noise is not a reading: a frame whose level bytes are not four decimal
// digits decodes to nothing, and the next good frame is read.
TEST_F(ReceivePathTest, FramesWithoutDecimalLevelDigitsAreDropped) {
  Feed(kExample);
  for (const char *level : {"0a52", "1a52", "9e00", "f652", "065b"}) {
    Feed(WithLevel(level));
    EXPECT_DOUBLE_EQ(st.m_dLevel, 65.2) << level;
  }
  EXPECT_EQ(tm.m_nFramesDecoded, 1u);
  EXPECT_EQ(sink.m_nRefresh, 1);
  Feed(WithLevel("1053"));
  EXPECT_DOUBLE_EQ(st.m_dLevel, 105.3);
}

TEST_F(ReceivePathTest, HoldSignalIsAByteFFAndItIsShownAtOnce) {
  Feed(kExample);
  Feed("0ff0"); // 0x0F 0xF0 is line noise, not the hold signal
  Feed("0ff00ff0");
  EXPECT_FALSE(st.m_bHold);
  EXPECT_EQ(sink.m_nHold, 0);
  Feed(kExample);
  EXPECT_EQ(tm.m_nFramesDecoded, 2u);

  const int nRefresh = sink.m_nRefresh;
  Feed("a50dff");
  EXPECT_TRUE(st.m_bHold);
  EXPECT_EQ(sink.m_nHold, 1);
  EXPECT_EQ(sink.m_nRefresh, nRefresh + 1) << "the readout shows HOLD now";
  Feed(WithLevel("0713").substr(0, 20) + "ff"); // held frames carry 0xFF: the chunk is lost
  EXPECT_EQ(sink.m_nHold, 2);
  EXPECT_EQ(sink.m_nRefresh, nRefresh + 1);
  EXPECT_TRUE(path.Buffer().empty());
  Feed(WithLevel("0713"));
  EXPECT_FALSE(st.m_bHold);
  EXPECT_DOUBLE_EQ(st.m_dLevel, 71.3);
}

TEST_F(ReceivePathTest, FrameIntervalIsMeasuredBetweenFramesOfAnUnbrokenStream) {
  const std::vector<uint8_t> f = Bytes(kExample);
  const SteadyTime t0{std::chrono::seconds(50)};
  path.OnChunk(f.data(), f.size(), t0);
  EXPECT_EQ(tm.m_frameInterval.count(), 0);
  path.OnChunk(f.data(), f.size(), t0 + std::chrono::milliseconds(500));
  EXPECT_EQ(tm.m_frameInterval, std::chrono::milliseconds(500));
  // the meter coming back after a pause does not count as its rate
  path.OnChunk(f.data(), f.size(), t0 + std::chrono::seconds(9));
  EXPECT_EQ(tm.m_frameInterval, std::chrono::milliseconds(500));
  EXPECT_EQ(tm.m_tLastFrame, t0 + std::chrono::seconds(9));
}

TEST_F(ReceivePathTest, NoiseWithoutFrameStartIsCutBackToItsLastCharacters) {
  std::string noise(200, '1'); // 100 bytes of 0x11
  for (int i = 0; i < 21; ++i)
    Feed(noise);
  EXPECT_LE(path.Buffer().size(), kMaxUnframedChars);
  while (path.Buffer().size() + noise.size() <= kMaxUnframedChars)
    Feed(noise);
  Feed(noise + "a5"); // the cut keeps a start that straddles it
  EXPECT_EQ(path.Buffer(), "1a5");
  Feed("0d" + kExample.substr(4));
  EXPECT_DOUBLE_EQ(st.m_dLevel, 65.2);
}

TEST(LiveFrameDecoding, LevelDigitsAndCorruptDigits) {
  EXPECT_DOUBLE_EQ(Decode(WithLevel("0652")).m_dLevel, 65.2);
  EXPECT_DOUBLE_EQ(Decode(WithLevel("1053")).m_dLevel, 105.3);
  EXPECT_DOUBLE_EQ(Decode(WithLevel("0052")).m_dLevel, 5.2);
  EXPECT_DOUBLE_EQ(Decode(WithLevel("0a52")).m_dLevel, 0.0);
  EXPECT_DOUBLE_EQ(Decode(WithLevel("1a52")).m_dLevel, 1.0);
  EXPECT_DOUBLE_EQ(Decode(WithLevel("1e52")).m_dLevel, 1.0); // not an exponent
}

TEST(LiveFrameDecoding, MeterHourEncoding) {
  const std::pair<const char *, const char *> cases[] = {
      {"11", "11"}, {"22", "14"}, {"32", "12"}, {"12", "12"}, {"09", "09"}, {"21", "13"}, {"0a", "00"}};
  for (auto [byte, hour] : cases)
    EXPECT_EQ(Decode(WithHour(byte)).m_strCurTime, std::string("07-12-2026,") + hour + ":15:30") << byte;
}

TEST(LiveFrameDecoding, LaterTagsWinInTableOrder) {
  std::string base = "a50d0652" + std::string(32, '0');
  auto with = [&](const std::string &tags) { return "a50d0652" + tags + base.substr(8 + tags.size()); };
  EXPECT_FALSE(Decode(with("a503a502")).m_bFast);
  CMeterReading s = Decode(with("a508a507"));
  EXPECT_TRUE(s.m_bUnder && s.m_bOver);
  s = Decode(with("a507a511a508"));
  EXPECT_FALSE(s.m_bUnder);
  EXPECT_TRUE(s.m_bOver);
  s = Decode(with("a50ea504a505"));
  EXPECT_FALSE(s.m_bMax || s.m_bMin);
  EXPECT_EQ(Decode(with("a540a530")).m_nRange, 4);
  EXPECT_EQ(Decode(with("a54b")).m_nRange, 2);
  EXPECT_TRUE(Decode(with("a50a")).m_bRec);
  s = Decode(with("a50ba50c"));
  EXPECT_TRUE(s.m_bLatch && s.m_bShowLatched);
  // tags are found across byte boundaries too
  EXPECT_EQ(Decode(with("0a540")).m_nRange, 4);
}

TEST(LiveFrameDecoding, UnknownWeightingAndMissingTagsKeepTheState) {
  CMeterReading prev;
  prev.m_bWeightA = false;
  prev.m_nRange = 3;
  prev.m_strCurTime = "old";
  std::string frame = "a50d0652" + std::string(32, '0');
  CMeterReading s = Decode(frame, prev);
  EXPECT_FALSE(s.m_bWeightA);
  EXPECT_EQ(s.m_nRange, 3);
  EXPECT_EQ(s.m_strCurTime, "old");
  frame.replace(14, 2, "1b");
  EXPECT_TRUE(Decode(frame, prev).m_bWeightA);
}

TEST(LiveFrameDecoding, ShortFramesAndCutTimeTagsStayInside) {
  CMeterReading prev;
  prev.m_strCurTime = "old";
  // a time tag whose minute and second fall past the frame's end
  std::string frame = "a50d0652" + std::string(26, '0') + "a50622";
  EXPECT_EQ(Decode(frame, prev).m_strCurTime, "old");
  EXPECT_DOUBLE_EQ(Decode("a50d06").m_dLevel, 6.0);
  EXPECT_DOUBLE_EQ(Decode("").m_dLevel, 0.0);
  EXPECT_EQ(Decode("a506221530").m_strCurTime, "07-12-2026,14:15:30");
}

// Download framing

TEST_F(ReceivePathTest, EmptyLogEndsTheDownloadAtOnce) {
  path.BeginDownload();
  Feed("bb0064");
  EXPECT_TRUE(dl.m_bLogHeader);
  EXPECT_FALSE(dl.m_bDownloading);
  EXPECT_EQ(dl.m_nLogSize, 2);
  EXPECT_EQ(sink.m_nEnded, 1);
  EXPECT_TRUE(sink.m_texts.empty());
}

TEST_F(ReceivePathTest, HeaderSplitAcrossChunksAndProgress) {
  Feed(kExample); // live leftovers before the download are skipped
  path.BeginDownload();
  Feed("0102bb00");
  EXPECT_FALSE(dl.m_bLogHeader);
  Feed("c8aa10");
  EXPECT_TRUE(dl.m_bLogHeader);
  EXPECT_EQ(dl.m_nLogSize, 102);
  EXPECT_EQ(dl.m_nRecvBytes, 2);
  Feed("1207090500");
  ASSERT_EQ(sink.m_progress.size(), 1u);
  EXPECT_EQ(sink.m_progress[0].nUpper, 102);
  EXPECT_EQ(sink.m_progress[0].nStep, 10);
  EXPECT_EQ(sink.m_progress[0].nPos, 7);
}

// The markers are whole bytes: "0d d0" holds no end marker and "0b b0"
// no header, in one chunk or split over two.
TEST_F(ReceivePathTest, MarkersAreFoundOnByteBoundariesOnly) {
  path.BeginDownload();
  Feed("0bb000c8");
  EXPECT_FALSE(dl.m_bLogHeader);
  Feed("00bb00c8aa0dd0");
  EXPECT_TRUE(dl.m_bLogHeader);
  EXPECT_TRUE(sink.m_texts.empty());
  Feed("0d");
  Feed("d0");
  EXPECT_TRUE(sink.m_texts.empty());
  Feed("0652dd00");
  ASSERT_EQ(sink.m_texts.size(), 1u);
  EXPECT_EQ(sink.m_texts[0], "aa0dd00dd00652dd");
  EXPECT_EQ(dl.m_nRecvBytes, 0);
}

TEST_F(ReceivePathTest, NoiseBeforeTheDownloadHeaderIsBounded) {
  path.BeginDownload();
  std::string noise(400, '1');
  for (int i = 0; i < 30; ++i)
    Feed(noise);
  EXPECT_LE(path.Buffer().size(), kMaxUnframedChars);
  Feed("00bb");
  Feed("0064");
  EXPECT_EQ(dl.m_nLogSize, 2);
  EXPECT_EQ(sink.m_nEnded, 1);
}
