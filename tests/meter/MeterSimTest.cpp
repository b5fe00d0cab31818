#include "sim/MeterSim.h"
#include "sim/SimWire.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>

namespace {

std::string Hex(const std::vector<uint8_t> &v) {
  std::string s;
  char buf[3];
  for (uint8_t b : v) {
    std::snprintf(buf, sizeof buf, "%02x", b);
    s += buf;
  }
  return s;
}

std::vector<uint8_t> Send(CMeterSim &sim, std::initializer_list<uint8_t> bytes) {
  std::vector<uint8_t> v(bytes);
  return sim.OnBytesReceived(v.data(), v.size());
}

} // namespace

TEST(MeterSimWire, FrameLayoutAndHourEncoding) {
  CMeterSim sim;
  sim.SetLevelSource(CLevelSource::Constant(65.2));
  sim.SetTimeOfDay(14, 15, 30);
  Send(sim, {CMeterSim::kKeyMaxMin});
  EXPECT_EQ(Hex(sim.NextFrame()), "a50d0652a502a51ba506221530a504a540a51100");

  EXPECT_EQ(sim::MeterHourByte(0), 0x00);
  EXPECT_EQ(sim::MeterHourByte(9), 0x09);
  EXPECT_EQ(sim::MeterHourByte(11), 0x11);
  EXPECT_EQ(sim::MeterHourByte(12), 0x32);
  EXPECT_EQ(sim::MeterHourByte(13), 0x21);
  EXPECT_EQ(sim::MeterHourByte(23), 0x31);
}

TEST(MeterSimWire, LevelsAreRoundedAndClampedToFourDigits) {
  CMeterSim sim;
  sim.SetLevelSource(CLevelSource::Sequence({105.26, 5.2, -3.0, 1234.5}));
  EXPECT_EQ(Hex(sim.NextFrame()).substr(4, 4), "1053");
  EXPECT_EQ(Hex(sim.NextFrame()).substr(4, 4), "0052");
  EXPECT_EQ(Hex(sim.NextFrame()).substr(4, 4), "0000");
  EXPECT_EQ(Hex(sim.NextFrame()).substr(4, 4), "9999");
}

TEST(MeterSimKeys, EachCodeChangesItsIndicator) {
  CMeterSim sim;
  bool fast = sim.IsFast();
  Send(sim, {CMeterSim::kKeyFastSlow});
  EXPECT_NE(sim.IsFast(), fast);
  Send(sim, {CMeterSim::kKeyAC});
  EXPECT_FALSE(sim.IsWeightA());
  Send(sim, {CMeterSim::kKeyRec});
  EXPECT_TRUE(sim.IsRec());

  Send(sim, {CMeterSim::kKeyMaxMin});
  EXPECT_TRUE(sim.IsMax());
  Send(sim, {CMeterSim::kKeyMaxMin});
  EXPECT_TRUE(sim.IsMin());
  EXPECT_FALSE(sim.IsMax());
  Send(sim, {CMeterSim::kKeyMaxMin});
  EXPECT_FALSE(sim.IsMin() || sim.IsMax());

  sim.SetRange(1);
  std::vector<int> seen;
  for (int i = 0; i < 4; ++i) {
    Send(sim, {CMeterSim::kKeyLevel});
    seen.push_back(sim.Range());
  }
  EXPECT_EQ(seen, (std::vector<int>{2, 3, 4, 1}));

  sim.IgnoreNextKeys(2);
  Send(sim, {CMeterSim::kKeyAC, CMeterSim::kKeyAC});
  EXPECT_FALSE(sim.IsWeightA());
  EXPECT_EQ(sim.KeysReceived(), 12);

  Send(sim, {CMeterSim::kKeyStop});
  EXPECT_FALSE(sim.IsPoweredOn());
  EXPECT_TRUE(sim.NextFrame().empty());
  Send(sim, {CMeterSim::kKeyAC});
  EXPECT_FALSE(sim.IsWeightA()); // an unpowered meter hears nothing
}

TEST(MeterSimKeys, MaxHoldsTheHighestLevelAndHoldFreezes) {
  CMeterSim sim;
  sim.SetLevelSource(CLevelSource::Sequence({60, 70, 65}));
  sim.NextFrame();
  Send(sim, {CMeterSim::kKeyMaxMin});
  sim.NextFrame();
  sim.NextFrame();
  EXPECT_DOUBLE_EQ(sim.DisplayedLevel(), 70.0);

  sim.SetHold(true);
  std::vector<uint8_t> f = sim.NextFrame();
  EXPECT_EQ(f.back(), 0xFF);
  EXPECT_DOUBLE_EQ(sim.DisplayedLevel(), 70.0);
}

TEST(MeterSimKeys, OverAndUnderFollowTheRange) {
  CMeterSim sim;
  sim.SetRange(1); // 30..80
  sim.SetLevelSource(CLevelSource::Sequence({20, 20, 90, 90, 90, 90}));
  auto slot = [](const std::vector<uint8_t> &f) { return f[18]; };
  EXPECT_EQ(slot(sim.NextFrame()), sim::kUnder);
  EXPECT_TRUE(sim.IsUnder());
  EXPECT_EQ(slot(sim.NextFrame()), sim::kRecOff);
  // straight from under to over: both cleared first
  EXPECT_EQ(slot(sim.NextFrame()), sim::kInRange);
  sim.NextFrame();
  EXPECT_EQ(slot(sim.NextFrame()), sim::kOver);
}

TEST(MeterSimDownload, LayoutLengthWordAndRequest) {
  CSimRecording r;
  r.m_nYear = 2010;
  r.m_nMonth = 12;
  r.m_nDay = 7;
  r.m_nHour = 9;
  r.m_nMinute = 5;
  r.m_nInterval = 2;
  r.m_levels = {65.2, 70.1};
  std::string hex = Hex(sim::BuildDownload({r}));
  // N - 98 counts the bytes after the length word
  EXPECT_EQ(hex, "bb0071aa10120709050002ac06520701dd00");
}

TEST(MeterSimDownload, EmptyAndOversizedMemories) {
  EXPECT_EQ(Hex(sim::BuildDownload({})), "bb0064dd00");
  CSimRecording big;
  big.m_levels.assign(sim::kMaxPayload / 2, 50.0);
  EXPECT_TRUE(sim::BuildDownload({big}).empty());
}

TEST(MeterSimDownload, RequestMayArriveSplitAndAmongKeys) {
  CMeterSim sim;
  CSimRecording r;
  r.m_levels = {50.0};
  sim.SetRecordings({r});
  EXPECT_TRUE(Send(sim, {0x5A}).empty());
  std::vector<uint8_t> dl = Send(sim, {0xAC});
  EXPECT_EQ(dl, sim::BuildDownload({r}));
  EXPECT_TRUE(Send(sim, {0xAC}).empty()); // 0xAC alone is no request
  EXPECT_EQ(Send(sim, {0x77, 0x5A, 0xAC}).size(), dl.size());
  EXPECT_EQ(sim.RequestsReceived(), 2);
}

TEST(MeterSimRecording, RecLogsOneLevelASecondIntoANewRecording) {
  CMeterSim sim;
  CSimRecording old;
  old.m_levels = {50.0};
  sim.SetRecordings({old});
  sim.SetDate(2026, 12, 31);
  sim.SetTimeOfDay(23, 59, 58);
  sim.SetLevelSource(CLevelSource::Sequence({61.0, 62.0, 63.0}));
  sim.AdvanceSeconds(5); // REC off: nothing logged
  EXPECT_EQ(std::make_tuple(sim.Year(), sim.Month(), sim.Day()), std::make_tuple(2027, 1, 1));
  sim.SetDate(2026, 12, 31);
  sim.SetTimeOfDay(23, 59, 58);
  sim.NextFrame();
  Send(sim, {CMeterSim::kKeyRec, CMeterSim::kKeyAC});
  sim.AdvanceSeconds(2);
  sim.NextFrame();
  sim.AdvanceSeconds(1);
  Send(sim, {CMeterSim::kKeyRec});
  sim.AdvanceSeconds(3);

  ASSERT_EQ(sim.Recordings().size(), 2u);
  const CSimRecording &r = sim.Recordings()[1];
  EXPECT_TRUE(r.m_bWeightA); // the weighting when REC was pressed
  EXPECT_EQ(std::tie(r.m_nYear, r.m_nMonth, r.m_nDay, r.m_nHour, r.m_nMinute, r.m_nSecond),
            std::make_tuple(2026, 12, 31, 23, 59, 58));
  EXPECT_EQ(r.m_levels, (std::vector<double>{61.0, 61.0, 62.0}));
  EXPECT_EQ(std::make_tuple(sim.Year(), sim.Month(), sim.Day()), std::make_tuple(2027, 1, 1));
  EXPECT_EQ(sim.SecondsOfDay(), 4);
}

TEST(MeterSimRecording, FullMemoryLogsNoMore) {
  CMeterSim sim;
  CSimRecording big;
  big.m_levels.assign((sim::kMaxPayload - 2 - 9 - 9) / 2, 40.0);
  sim.SetRecordings({big});
  Send(sim, {CMeterSim::kKeyRec});
  sim.AdvanceSeconds(10);
  ASSERT_EQ(sim.Recordings().size(), 2u);
  EXPECT_LE(sim::DownloadPayloadSize(sim.Recordings()), sim::kMaxPayload);
  EXPECT_FALSE(sim::BuildDownload(sim.Recordings()).empty());
}
