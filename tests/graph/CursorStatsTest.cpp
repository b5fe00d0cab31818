#include "graph/CursorStats.h"

#include <gtest/gtest.h>

namespace {
void Fill(CSampleStore &s, std::initializer_list<double> v) {
  int i = 0;
  for (double d : v)
    s.Emplace(d, "t" + std::to_string(i++), "dBA", 0, 1.0);
}
} // namespace

TEST(CursorStats, TiesKeepTheEarliestAndCountIsInclusive) {
  CSampleStore s;
  Fill(s, {99, 60.0, 70.5, 70.5, 55.0, 99});
  CursorStats st = ComputeCursorStats(s, 1, 4);
  ASSERT_TRUE(st.maxIndex && st.minIndex);
  EXPECT_EQ(*st.maxIndex, 2u);
  EXPECT_EQ(*st.minIndex, 4u);
  EXPECT_EQ(st.nCount, 4);
  EXPECT_DOUBLE_EQ(st.Average(), 64.0);
}

TEST(CursorStats, ExtremesThatNeverMoveHaveNoSample) {
  CSampleStore below;
  Fill(below, {-3, -1, -2});
  CursorStats st = ComputeCursorStats(below, 0, 2);
  EXPECT_FALSE(st.maxIndex);
  EXPECT_EQ(*st.minIndex, 0u);
  CSampleStore above;
  Fill(above, {150, 151});
  st = ComputeCursorStats(above, 0, 1);
  EXPECT_FALSE(st.minIndex);
  EXPECT_EQ(*st.maxIndex, 1u);
}
