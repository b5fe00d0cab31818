#include "meter/KeyRepeat.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {
// What the meter shows and when its frames came, in one place for the tests.
struct CMeterLine : CMeterReading, CLineTiming {};

CMeterLine Talking() {
  CMeterLine st;
  st.m_bDataReceived = true;
  return st;
}

// A frame that began arriving at `tBegan` is decoded.
void Frame(CKeyRepeat &r, CMeterLine &st, SteadyTime tBegan) {
  ++st.m_nFramesDecoded;
  st.m_tFrameBegan = tBegan;
  r.OnFrame(st, st);
}

const SteadyTime t0{std::chrono::seconds(1000)};
} // namespace

TEST(KeyRepeatTest, APressWhileTheMeterIsSilentOrForNoKeyIsIgnored) {
  CMeterLine st;
  EXPECT_FALSE(CKeyRepeat::Press(kKeyFastSlow, st, st));
  st.m_bDataReceived = true;
  EXPECT_FALSE(CKeyRepeat::Press(6, st, st));
  EXPECT_FALSE(CKeyRepeat::Press(-1, st, st));
  auto r = CKeyRepeat::Press(kKeyLevel, st, st);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->Code(), 0x88);
  EXPECT_EQ(r->IntervalMs(), 500);
  EXPECT_EQ(CKeyRepeat::Press(kKeyAC, st, st)->IntervalMs(), 600);
}

// A meter sending a frame a second: the interval has long passed when the
// first frame after the write arrives, but that frame may have left the
// meter before the code came in. Only the second one counts as an answer.
TEST(KeyRepeatTest, ResendsOnlyAfterTheIntervalAndTwoFramesBegunAfterTheWrite) {
  CMeterLine st = Talking();
  st.m_bFast = true;
  auto r = CKeyRepeat::Press(kKeyFastSlow, st, st);
  ASSERT_TRUE(r->Tick(st, t0));
  Frame(*r, st, t0 - 10ms); // in flight at the press: does not count
  Frame(*r, st, t0 + 300ms);
  EXPECT_FALSE(r->Tick(st, t0 + 600ms)) << "one frame after the write is not enough";
  EXPECT_FALSE(r->Tick(st, t0 + 1200ms));
  Frame(*r, st, t0 + 1300ms);
  EXPECT_TRUE(r->Tick(st, t0 + 1320ms));
  // fast frames: now the interval holds it back
  Frame(*r, st, t0 + 1400ms);
  Frame(*r, st, t0 + 1500ms);
  EXPECT_FALSE(r->Tick(st, t0 + 1600ms));
  EXPECT_TRUE(r->Tick(st, t0 + 1920ms));
  st.m_bMax = true; // other indicators do not end it
  Frame(*r, st, t0 + 2000ms);
  EXPECT_FALSE(r->Done());
  st.m_bFast = false;
  Frame(*r, st, t0 + 2100ms);
  EXPECT_TRUE(r->Done());
  EXPECT_FALSE(r->Tick(st, t0 + 5s));
  EXPECT_EQ(r->Sends(), 3);
}

TEST(KeyRepeatTest, ARefreshWithoutANewFrameIsNotCounted) {
  CMeterLine st = Talking();
  auto r = CKeyRepeat::Press(kKeyAC, st, st);
  ASSERT_TRUE(r->Tick(st, t0));
  Frame(*r, st, t0 + 100ms);
  r->OnFrame(st, st); // the hold signal redraws the readout
  r->OnFrame(st, st);
  EXPECT_FALSE(r->Tick(st, t0 + 700ms));
}

TEST(KeyRepeatTest, MaxMinWatchesMinWhenMinWasShownAtThePress) {
  CMeterLine st = Talking();
  st.m_bMin = true;
  auto r = CKeyRepeat::Press(kKeyMaxMin, st, st);
  ASSERT_TRUE(r->Tick(st, t0));
  st.m_bMax = true;
  Frame(*r, st, t0 + 100ms);
  Frame(*r, st, t0 + 200ms);
  EXPECT_TRUE(r->Tick(st, t0 + 600ms)) << "MAX coming on is not the effect watched";
  st.m_bMin = false;
  EXPECT_FALSE(r->Tick(st, t0 + 5s));
  EXPECT_TRUE(r->Done());
}

TEST(KeyRepeatTest, EveryKeyEndsAfterTenSendsOrWhenTheMeterFallsSilent) {
  for (int nKey : {kKeyStop, kKeyLevel}) {
    CMeterLine st = Talking();
    auto r = CKeyRepeat::Press(nKey, st, st);
    int nSent = 0;
    SteadyTime t = t0;
    for (int i = 0; i < 100 && !r->Done(); ++i, t += 1s) {
      nSent += r->Tick(st, t);
      Frame(*r, st, t + 100ms);
      Frame(*r, st, t + 200ms);
    }
    EXPECT_EQ(nSent, 10) << nKey;
    EXPECT_TRUE(r->Done());
  }

  CMeterLine st = Talking();
  auto s = CKeyRepeat::Press(kKeyStop, st, st);
  EXPECT_TRUE(s->Tick(st, t0));
  st.m_bDataReceived = false;
  EXPECT_FALSE(s->Tick(st, t0 + 5s));
  EXPECT_TRUE(s->Done());
  EXPECT_EQ(s->Sends(), 1);
}
