#include "datalog/RecordingList.h"
#include "datalog/RecordingSelection.h"
#include "forms/ControlIds.h"
#include "forms/StatReadouts.h"
#include "records/SampleRates.h"

#include <gtest/gtest.h>

namespace {

// What the statistics read-out `nId` shows for `st` over `n` samples.
std::string Readout(const StatData &st, std::size_t n, int nId) {
  const AcousticStats none{};
  for (const ControlText &t : StatReadouts({st, n, none, {}}))
    if (t.nId == nId)
      return t.strText;
  return "<no read-out>";
}

void Add(CSampleStore &s, int nGroup, double dLevel, const std::string &time, double dRate = 1,
         const std::string &unit = "dBA") {
  s.Emplace(dLevel, time, unit, nGroup, dRate);
}

TEST(RecordingList, OneRowPerRunOfEqualGroups) {
  CSampleStore s;
  for (int i = 0; i < 5; ++i)
    Add(s, 1, 60, "07-12-2026,1:00:0" + std::to_string(i), 0.5);
  for (int i = 0; i < 3; ++i)
    Add(s, 2, 61, "08-12-2026,2:00:0" + std::to_string(i), 2, "dBC");
  Add(s, 1, 62, "again");
  auto rows = BuildRecordingList(s);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(RecordingRowTexts(rows[0]),
            (std::array<std::string, 5>{"1", "07-12-2026,1:00:00", "dBA", "0.50", "5"}));
  EXPECT_EQ(RecordingRowTexts(rows[1]),
            (std::array<std::string, 5>{"2", "08-12-2026,2:00:00", "dBC", "2.00", "3"}));
  // A group number that comes back starts another row.
  EXPECT_EQ(RecordingRowTexts(rows[2])[0], "1");
  EXPECT_EQ(rows[2].nCount, 1u);
  EXPECT_EQ(rows[2].nFirst, 8u);
  EXPECT_TRUE(BuildRecordingList(CSampleStore{}).empty());
}

TEST(RecordingSelection, StatisticsStartFromZeroAnd130) {
  CSampleStore s;
  Add(s, 9, 50, "other");
  Add(s, 3, 60.0, "t0", 0.5);
  Add(s, 3, 72.5, "t1");
  Add(s, 3, 72.5, "t2");
  Add(s, 3, 58.0, "t3");
  CSampleSelection sel;
  StatData st;
  ASSERT_TRUE(SelectRecording(s, 3, sel, st));
  ASSERT_EQ(sel.GetSize(), 4u);
  EXPECT_DOUBLE_EQ(st.dMax, 72.5);
  EXPECT_EQ(st.strMaxTime, "t1"); // the first of the two
  EXPECT_DOUBLE_EQ(st.dMin, 58.0);
  EXPECT_EQ(st.strMinTime, "t3");
  EXPECT_DOUBLE_EQ(st.dSum, 263);
  EXPECT_EQ(st.strStartTime, "t0");
  EXPECT_DOUBLE_EQ(st.dSampleRate, 0.5);
  EXPECT_EQ(Readout(st, sel.GetSize(), StatIds::kAverage), "65.8"); // 65.75
  EXPECT_EQ(Readout(st, sel.GetSize(), StatIds::kMax), "72.5");
  EXPECT_EQ(Readout(st, sel.GetSize(), StatIds::kMin), "58.0");
  EXPECT_EQ(Readout(st, sel.GetSize(), StatIds::kCount), "4");
  EXPECT_EQ(Readout(st, sel.GetSize(), StatIds::kStartTime), "t0");
  // Selecting again replaces, never appends.
  ASSERT_TRUE(SelectRecording(s, 3, sel, st));
  EXPECT_EQ(sel.GetSize(), 4u);
}

TEST(RecordingSelection, ExtremesThatNeverMoveHaveNoTime) {
  CSampleStore s;
  Add(s, 1, 130.0, "loud");
  Add(s, 1, 140.0, "louder");
  Add(s, 2, 0.0, "quiet");
  Add(s, 2, -5.0, "quieter");
  CSampleSelection sel;
  StatData st;
  SelectRecording(s, 1, sel, st);
  EXPECT_DOUBLE_EQ(st.dMin, 130.0);
  EXPECT_EQ(st.strMinTime, "");
  EXPECT_EQ(st.strMinUnit, "");
  EXPECT_EQ(st.strMaxTime, "louder");
  SelectRecording(s, 2, sel, st);
  EXPECT_DOUBLE_EQ(st.dMax, 0.0);
  EXPECT_EQ(st.strMaxTime, "");
  EXPECT_EQ(Readout(st, 2, StatIds::kMax), "0.0");
}

TEST(RecordingSelection, GroupThatIsGoneGivesAnEmptySelectionAndNoReadouts) {
  CSampleStore s;
  Add(s, 1, 60, "t");
  CSampleSelection sel;
  StatData st;
  SelectRecording(s, 1, sel, st);
  EXPECT_FALSE(SelectRecording(s, 7, sel, st));
  EXPECT_TRUE(sel.IsEmpty());
  EXPECT_DOUBLE_EQ(st.dAverage, 0); // no division by zero
  EXPECT_EQ(st.strStartTime, "");
  EXPECT_EQ(Readout(st, 0, StatIds::kAverage), "");
  EXPECT_EQ(Readout(st, 0, StatIds::kCount), "");
  EXPECT_EQ(Readout(st, 0, NoiseIds::kLeqLabel), "Leq");
  EXPECT_EQ(s.GetSize(), 1u); // the store keeps its samples
}

TEST(RateBox, MatchedByOneDecimalText) {
  EXPECT_EQ(RateIndex(0.1), 0);
  EXPECT_EQ(RateIndex(0.5), 2);
  EXPECT_EQ(RateIndex(1), 3);
  EXPECT_EQ(RateIndex(10), 9);
  EXPECT_EQ(RateIndex(4), -1);
  EXPECT_EQ(RateIndex(0.26), -1); // "0.3"
  EXPECT_EQ(RateIndex(0.96), 3);  // "1.0"
}

} // namespace
