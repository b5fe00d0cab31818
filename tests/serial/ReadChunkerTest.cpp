#include "serial/ReadChunker.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using Clock = CReadChunker::Clock;

TEST(ReadChunkerTest, AFullChunkIsReadyAtOnceAndAPartialOneAfterTheInterByteTime) {
  CReadChunker c(20);
  Clock::time_point t0{};
  unsigned char bytes[50] = {};
  EXPECT_EQ(c.WaitMs(t0), -1); // nothing pending: wait without a limit
  c.Add(bytes, c.Room(), t0);
  EXPECT_EQ(c.Room(), 0u);
  EXPECT_TRUE(c.Ready(t0));
  EXPECT_EQ(c.Take().size(), 20u);

  c.Add(bytes, 7, t0);
  EXPECT_FALSE(c.Ready(t0 + 99ms));
  EXPECT_EQ(c.WaitMs(t0 + 40ms), 60);
  c.Add(bytes, 3, t0 + 60ms); // a further byte restarts the timer
  EXPECT_FALSE(c.Ready(t0 + 120ms));
  EXPECT_TRUE(c.Ready(t0 + 160ms));
  EXPECT_EQ(c.WaitMs(t0 + 200ms), 0);
  EXPECT_EQ(c.Take().size(), 10u);
  EXPECT_TRUE(c.Empty());
}

TEST(ReadChunkerTest, WaitRoundsUpSoPollNeverWakesEarly) {
  CReadChunker c(20);
  Clock::time_point t0{};
  unsigned char b = 1;
  c.Add(&b, 1, t0);
  EXPECT_EQ(c.WaitMs(t0 + 99500us), 1);
  EXPECT_FALSE(c.Ready(t0 + 99500us));
}

TEST(ReadChunkerTest, ReadSizeIsClampedAndAShrinkSplitsThePendingBytes) {
  CReadChunker c(0);
  EXPECT_EQ(c.ReadSize(), 1);
  c.SetReadSize(5000);
  EXPECT_EQ(c.ReadSize(), 2048);
  c.SetReadSize(20);
  unsigned char bytes[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  c.Add(bytes, 12, Clock::time_point{});
  c.SetReadSize(5);
  EXPECT_EQ(c.Room(), 0u);
  EXPECT_TRUE(c.Ready(Clock::time_point{}));
  auto first = c.Take();
  EXPECT_EQ(first, std::vector<unsigned char>({1, 2, 3, 4, 5}));
}
