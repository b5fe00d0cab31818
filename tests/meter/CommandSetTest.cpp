#include "meter/CommandSet.h"

#include <gtest/gtest.h>

TEST(CommandSet, CodesAndIntervalsByKeyIndex) {
  const uint8_t codes[] = {0x33, 0x55, 0x11, 0x77, 0x88, 0x99};
  for (int k = 0; k < kMeterKeyCount; ++k) {
    EXPECT_EQ(KeyCode(k), codes[k]);
    EXPECT_EQ(KeyRepeatMs(k), k == kKeyLevel ? 500 : 600);
  }
  EXPECT_EQ(KeyCode(6), 0);
  EXPECT_EQ(KeyCode(-1), 0);
  EXPECT_FALSE(TakeKeyWatch(6, CMeterReading{}).has_value());
  EXPECT_EQ(kDownloadRequest[0], 0x5A);
  EXPECT_EQ(kDownloadRequest[1], 0xAC);
}

TEST(CommandSet, EachKeyEndsWhenItsStateChanges) {
  struct Case {
    int nKey;
    void (*change)(CMeterReading &);
  };
  const Case cases[] = {
      {kKeyRec, [](CMeterReading &s) { s.m_bRec = !s.m_bRec; }},
      {kKeyFastSlow, [](CMeterReading &s) { s.m_bFast = false; }},
      {kKeyLevel, [](CMeterReading &s) { s.m_nRange = 2; }},
      {kKeyAC, [](CMeterReading &s) { s.m_bWeightA = !s.m_bWeightA; }},
  };
  for (const Case &c : cases) {
    CMeterReading st;
    st.m_bFast = true;
    auto w = TakeKeyWatch(c.nKey, st);
    ASSERT_TRUE(w);
    st.m_dLevel = 80.0; // other changes do not count
    st.m_bMax = true;
    EXPECT_FALSE(KeyTookEffect(*w, st)) << c.nKey;
    c.change(st);
    EXPECT_TRUE(KeyTookEffect(*w, st)) << c.nKey;
  }
}

TEST(CommandSet, MaxMinWatchesMinWhileMinIsShown) {
  CMeterReading st;
  st.m_bMin = true;
  auto w = TakeKeyWatch(kKeyMaxMin, st);
  st.m_bMax = true; // MAX changing does not end it
  EXPECT_FALSE(KeyTookEffect(*w, st));
  st.m_bMin = false;
  EXPECT_TRUE(KeyTookEffect(*w, st));

  CMeterReading off;
  w = TakeKeyWatch(kKeyMaxMin, off);
  off.m_bMin = true;
  EXPECT_FALSE(KeyTookEffect(*w, off));
  off.m_bMax = true;
  EXPECT_TRUE(KeyTookEffect(*w, off));
}

TEST(CommandSet, StopNeverSeesAnEffect) {
  CMeterReading st;
  auto w = TakeKeyWatch(kKeyStop, st);
  ASSERT_TRUE(w);
  st.m_bRec = st.m_bFast = st.m_bMax = true;
  st.m_nRange = 3;
  st.m_bDataReceived = false;
  EXPECT_FALSE(KeyTookEffect(*w, st));
  EXPECT_EQ(kKeyMaxSends, 10);
}
