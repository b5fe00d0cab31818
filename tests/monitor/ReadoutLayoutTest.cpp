#include "monitor/ReadoutLayout.h"
#include "forms/MeterKeys.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

inline void PrintTo(const ReadoutGlyph &g, std::ostream *os) {
  *os << "{" << g.nImage << "@" << g.x << "," << g.y << "}";
}

TEST(ReadoutDigits, PlacesTwoAndThreeDigitLevelsInDrawingOrder) {
  // Tenths first, then the point over the tenths digit's left margin.
  EXPECT_EQ(PlaceLevelDigits("65.2"),
            (std::vector<ReadoutGlyph>{{2, 135, 181}, {kPointImage, 130, 224}, {5, 103, 181}, {6, 78, 181}}));
  EXPECT_EQ(PlaceLevelDigits("105.3"),
            (std::vector<ReadoutGlyph>{
                {3, 135, 181}, {kPointImage, 130, 224}, {5, 103, 181}, {0, 78, 181}, {1, 53, 181}}));
}

TEST(ReadoutDigits, LevelsBelowTenAreRightAligned) {
  EXPECT_EQ(PlaceLevelDigits("5.2"),
            (std::vector<ReadoutGlyph>{{2, 135, 181}, {kPointImage, 130, 224}, {5, 103, 181}}));
  EXPECT_EQ(PlaceLevelDigits("0.0"),
            (std::vector<ReadoutGlyph>{{0, 135, 181}, {kPointImage, 130, 224}, {0, 103, 181}}));
}

TEST(ReadoutDigits, NothingLandsOutsideTheDisplay) {
  for (const char *text : {"", "7", "1234.5", "-5.2", "a5.2"})
    for (const auto &g : PlaceLevelDigits(text)) {
      EXPECT_GE(g.x, kReadoutX) << text;
      EXPECT_LE(g.x + kDigitW, kReadoutX + kReadoutW) << text;
    }
  EXPECT_EQ(PlaceLevelDigits("-5.2").size(), 3u); // the sign has no image
}

TEST(ReadoutText, LevelAndTimeTexts) {
  EXPECT_EQ(FormatLevel(65.2), "65.2");
  EXPECT_EQ(FormatLevel(105.25), "105.2");
  EXPECT_EQ(FormatLevel(0.0), "0.0");
  EXPECT_EQ(FormatLevel(-0.01), "0.0");
  EXPECT_EQ(TimeOfDayText("07-12-2026,14:05:09"), "14:05:09");
  EXPECT_EQ(TimeOfDayText("07-12-2026,"), "");
  EXPECT_EQ(TimeOfDayText(""), "");
}

TEST(ReadoutBar, MarkCountsClampToTheRange) {
  EXPECT_EQ(BarMarkCount(*BarScaleForRange(1), 95), 50);
  EXPECT_EQ(BarMarkCount(*BarScaleForRange(1), 25), 0);
  EXPECT_EQ(BarMarkCount(*BarScaleForRange(1), 30.9), 0);
  EXPECT_EQ(BarMarkCount(*BarScaleForRange(2), 100), 50);
  EXPECT_EQ(BarMarkCount(*BarScaleForRange(3), 81.9), 1);
  EXPECT_EQ(BarMarkCount(*BarScaleForRange(4), 61), 15);
  EXPECT_EQ(BarMarkCount(*BarScaleForRange(4), 62.9), 16); // trunc(32.9) / 2
  EXPECT_EQ(BarMarkCount(*BarScaleForRange(4), 200), 50);
  EXPECT_EQ(BarMarkCount(*BarScaleForRange(1), std::nan("")), 0);
  EXPECT_FALSE(BarScaleForRange(0));
  EXPECT_FALSE(BarScaleForRange(5));
}

TEST(ReadoutBar, EveryFifthMarkIsTall) {
  const auto marks = BarMarkPositions(15);
  ASSERT_EQ(marks.size(), 2u + 15u + 3u);
  std::set<int> tall;
  for (const auto &m : marks)
    if (m.y == 137)
      tall.insert(m.x);
  EXPECT_EQ(tall, (std::set<int>{60, 70, 80, 90}));
  EXPECT_EQ(BarMarkPositions(0).size(), 2u);
}

TEST(ReadoutLatch, DigitsAndBarHoldTheRightLevels) {
  CMeterReading s;
  CReadoutLevels lv;
  s.m_dLevel = 70;
  EXPECT_EQ(UpdateHeldLevels(s, lv), "70.0");
  // Latching: digits follow the level, the bar keeps its previous level.
  s.m_bLatch = true;
  s.m_dLevel = 80;
  EXPECT_EQ(UpdateHeldLevels(s, lv), "80.0");
  EXPECT_EQ(lv.m_dBarLevel, 70);
  // Showing the latched level: digits keep it, the bar follows the level.
  s.m_bLatch = false;
  s.m_bShowLatched = true;
  s.m_dLevel = 60;
  EXPECT_EQ(UpdateHeldLevels(s, lv), "80.0");
  EXPECT_EQ(lv.m_dBarLevel, 60);
  s.m_bShowLatched = false;
  s.m_dLevel = 55;
  EXPECT_EQ(UpdateHeldLevels(s, lv), "55.0");
  EXPECT_EQ(lv.m_dLatchedLevel, 55);
}

TEST(ReadoutLatch, FirstDrawingWhileShowingTheLatchUsesTheLevel) {
  CMeterReading s;
  s.m_bShowLatched = true;
  s.m_dLevel = 42.5;
  CReadoutLevels lv;
  EXPECT_EQ(UpdateHeldLevels(s, lv), "42.5");
}

TEST(ReadoutStatus, WordsAndPlaces) {
  CMeterReading s;
  s.m_bFast = false;
  s.m_bWeightA = false;
  s.m_nRange = 4;
  s.m_bHold = true;
  auto words = StatusWords(s);
  auto at = [&](const std::string &w) {
    for (const auto &t : words)
      if (t.strText == w)
        return std::pair{t.x, t.y};
    return std::pair{-1, -1};
  };
  EXPECT_EQ(at("SLOW"), (std::pair{124, 115}));
  EXPECT_EQ(at("FAST"), (std::pair{-1, -1}));
  EXPECT_EQ(at("dBC"), (std::pair{105, 233}));
  EXPECT_EQ(at("HOLD"), (std::pair{130, 233}));
  EXPECT_EQ(at("AUTO"), (std::pair{130, 233}));
  s = {};
  s.m_bFast = true;
  s.m_bMax = s.m_bMin = s.m_bRec = s.m_bOver = s.m_bUnder = true;
  words = StatusWords(s);
  EXPECT_EQ(at("FAST"), (std::pair{105, 115}));
  EXPECT_EQ(at("MAX"), (std::pair{55, 115}));
  EXPECT_EQ(at("MIN"), (std::pair{80, 115}));
  EXPECT_EQ(at("REC"), (std::pair{75, 233}));
  EXPECT_EQ(at("OVER"), (std::pair{130, 107}));
  EXPECT_EQ(at("UNDER"), (std::pair{55, 107}));
  EXPECT_EQ(at("AUTO"), (std::pair{-1, -1}));
}

TEST(ReadoutLayout, UnknownRangeDrawsNoBar) {
  CMeterReading s;
  s.m_nRange = 0;
  CReadoutLevels lv;
  const auto items = LayoutReadout(s, lv);
  EXPECT_TRUE(items.barLabels.empty());
  EXPECT_TRUE(items.barMarks.empty());
  s.m_nRange = 2;
  const auto two = LayoutReadout(s, lv);
  ASSERT_EQ(two.barLabels.size(), 2u);
  EXPECT_EQ(two.barLabels[0].strText, "50");
  EXPECT_EQ(two.barLabels[1].strText, "100");
  EXPECT_EQ(two.barLabels[1].x, 142);
}

TEST(MeterKeys, EveryKeyIndexOnceAndPressedOnePixelOff) {
  std::set<int> idx, ids;
  for (const auto &k : kMeterKeys) {
    idx.insert(k.nKeyIndex);
    ids.insert(k.nId);
    EXPECT_EQ(k.xPressed, k.xDrawn);
    EXPECT_EQ(std::abs(k.yPressed - k.yDrawn), 1);
    EXPECT_EQ(MeterKeyByIndex(k.nKeyIndex), &k);
  }
  EXPECT_EQ(idx, (std::set<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(ids, (std::set<int>{1049, 1050, 1051, 1052, 1053, 1054}));
  EXPECT_EQ(MeterKeyByIndex(6), nullptr);
}
