#include "serial/KeyRepeat.h"

#include <gtest/gtest.h>

namespace {
CMeterState Talking() {
  CMeterState st;
  st.m_bDataReceived = true;
  return st;
}
} // namespace

TEST(KeyRepeatTest, APressWhileTheMeterIsSilentOrForNoKeyIsIgnored) {
  CMeterState st;
  EXPECT_FALSE(CKeyRepeat::Press(kKeyFastSlow, st));
  st.m_bDataReceived = true;
  EXPECT_FALSE(CKeyRepeat::Press(6, st));
  EXPECT_FALSE(CKeyRepeat::Press(-1, st));
  auto r = CKeyRepeat::Press(kKeyLevel, st);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->Code(), 0x88);
  EXPECT_EQ(r->IntervalMs(), 500);
  EXPECT_EQ(CKeyRepeat::Press(kKeyAC, st)->IntervalMs(), 600);
}

TEST(KeyRepeatTest, RepeatsUntilTheWatchedStateChanges) {
  CMeterState st = Talking();
  st.m_bFast = true;
  auto r = CKeyRepeat::Press(kKeyFastSlow, st);
  ASSERT_TRUE(r);
  EXPECT_TRUE(r->Tick(st));
  EXPECT_TRUE(r->Tick(st));
  st.m_bMax = true; // other indicators do not end it
  r->OnFrame(st);
  EXPECT_FALSE(r->Done());
  EXPECT_TRUE(r->Tick(st));
  st.m_bFast = false;
  r->OnFrame(st);
  EXPECT_TRUE(r->Done());
  EXPECT_FALSE(r->Tick(st));
  EXPECT_EQ(r->Sends(), 3);
}

TEST(KeyRepeatTest, MaxMinWatchesMinWhenMinWasShownAtThePress) {
  CMeterState st = Talking();
  st.m_bMin = true;
  auto r = CKeyRepeat::Press(kKeyMaxMin, st);
  ASSERT_TRUE(r->Tick(st));
  st.m_bMax = true;
  EXPECT_TRUE(r->Tick(st)) << "MAX coming on is not the effect watched";
  st.m_bMin = false;
  EXPECT_FALSE(r->Tick(st));
  EXPECT_TRUE(r->Done());
}

TEST(KeyRepeatTest, StopEndsAfterTenSendsOrWhenTheMeterFallsSilent) {
  CMeterState st = Talking();
  auto r = CKeyRepeat::Press(kKeyStop, st);
  int nSent = 0;
  while (r->Tick(st))
    ++nSent;
  EXPECT_EQ(nSent, 10);
  EXPECT_TRUE(r->Done());

  auto s = CKeyRepeat::Press(kKeyStop, st);
  EXPECT_TRUE(s->Tick(st));
  st.m_bDataReceived = false;
  EXPECT_FALSE(s->Tick(st));
  EXPECT_TRUE(s->Done());
  EXPECT_EQ(s->Sends(), 1);
}
