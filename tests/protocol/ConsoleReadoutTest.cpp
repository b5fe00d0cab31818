#include "RecordingSink.h"

#include "protocol/ReadoutLine.h"
#include "sim/ConsoleReadout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

TEST(ConsoleReadout, PrintsDecodedFramesAndEveryKeyTakesEffect) {
  std::time_t now = FixedClock() + 14 * 3600; // midnight into 8 December
  CConsoleOptions opt;
  opt.m_clock = [&] { return now; };
  opt.m_sleep = [&](std::chrono::milliseconds ms) { now += ms.count() >= 500 ? 1 : 0; };
  CMeterSim sim;
  std::ostringstream out;
  int n = RunConsoleReadout(sim, out, opt);
  std::string text = out.str();
  EXPECT_GE(n, 15);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), n + 10); // 5 keys sent, 5 seen
  EXPECT_NE(text.find(" 52.3 dBA FAST -    range AUTO  08-12-2026,00:00:00\n"), std::string::npos);
  EXPECT_NE(text.find("SLOW MAX  range 1 OVER"), std::string::npos);
  EXPECT_NE(text.find("dBC SLOW MIN"), std::string::npos);
}

TEST(ConsoleReadout, LineShowsEveryIndicator) {
  CMeterState st;
  st.m_dLevel = 105.3;
  st.m_bWeightA = false;
  st.m_bMin = st.m_bUnder = st.m_bRec = st.m_bHold = true;
  st.m_nRange = 3;
  st.m_strCurTime = "07-12-2026,14:15:30";
  EXPECT_EQ(FormatReadoutLine(st), "105.3 dBC SLOW MIN  range 3 UNDER REC HOLD  07-12-2026,14:15:30");
  EXPECT_EQ(RangeText(4), "AUTO");
}
