#include "records/ExceededLevels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// After every sample the running percentiles equal those of the whole
// series selected at once, also with ties, silence between loud bursts,
// levels that are not numbers and infinite ones.
TEST(ExceededLevels, FollowTheWholeSeriesSampleBySample) {
  std::mt19937 rng(7);
  for (int nKind = 0; nKind < 4; ++nKind) {
    CExceededLevels running;
    std::vector<double> levels;
    for (int i = 0; i < 3000; ++i) {
      double d = 0;
      switch (nKind) {
      case 0: // a meter: steps of 0.1 dB
        d = std::uniform_int_distribution<int>(300, 1300)(rng) / 10.0;
        break;
      case 1: // few distinct levels, many ties
        d = 40.0 + 10.0 * std::uniform_int_distribution<int>(0, 3)(rng);
        break;
      case 2: // a level that drifts up, then down
        d = i < 1500 ? 30.0 + i / 20.0 : 150.0 - i / 20.0;
        break;
      default: { // odd values among ordinary ones
        const int k = std::uniform_int_distribution<int>(0, 9)(rng);
        d = k == 0 ? std::nan("") : k == 1 ? kInf : k == 2 ? -kInf : 60.0 + k;
      }
      }
      levels.push_back(d);
      running.Add(d);
      AcousticStats got, want;
      running.Fill(got);
      ComputeExceededLevels(levels, want);
      ASSERT_EQ(got.dL10, want.dL10) << "kind " << nKind << " sample " << i;
      ASSERT_EQ(got.dL50, want.dL50) << "kind " << nKind << " sample " << i;
      ASSERT_EQ(got.dL90, want.dL90) << "kind " << nKind << " sample " << i;
    }
    EXPECT_TRUE(running.Exact());
    EXPECT_EQ(running.Count(), levels.size());
  }
}

TEST(ExceededLevels, ClearAndAssignStartAgain) {
  CExceededLevels r;
  AcousticStats s;
  s.dL10 = s.dL50 = s.dL90 = -1;
  r.Fill(s); // empty: left as they were
  EXPECT_EQ(s.dL50, -1);
  r.Add(90);
  r.Clear();
  r.Add(50);
  r.Fill(s);
  EXPECT_EQ(s.dL10, 50);
  const std::vector<double> levels = {70, 60, 80, 50, 90, 40, 30, 20, 10, 100};
  r.Assign(levels);
  r.Fill(s);
  EXPECT_EQ(r.Count(), 10u);
  EXPECT_EQ(s.dL10, 100);
  EXPECT_EQ(s.dL50, 60);
  EXPECT_EQ(s.dL90, 20);
}

// A series of more distinct levels than a meter shows stops being followed
// instead of growing without bound; Clear makes it usable again.
TEST(ExceededLevels, GivesUpPastTheDistinctLimit) {
  CExceededLevels r;
  for (std::size_t i = 0; i < CExceededLevels::kMaxDistinct; ++i)
    r.Add(static_cast<double>(i) / 1000.0);
  EXPECT_TRUE(r.Exact());
  r.Add(-1.0);
  EXPECT_FALSE(r.Exact());
  AcousticStats s;
  s.dL10 = -5;
  r.Fill(s);
  EXPECT_EQ(s.dL10, -5);
  r.Clear();
  r.Add(42);
  EXPECT_TRUE(r.Exact());
  r.Fill(s);
  EXPECT_EQ(s.dL90, 42);
}

} // namespace
