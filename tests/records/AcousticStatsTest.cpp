#include "records/AcousticStats.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <vector>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

AcousticStats Stats(const std::vector<double> &levels, double dInterval = 1.0) {
  return ComputeAcousticStats(levels, dInterval);
}

TEST(AcousticStats, EmptySeriesHasNoFigures) {
  const AcousticStats s = Stats({});
  EXPECT_EQ(s.nCount, 0u);
  CLeqAccumulator acc;
  EXPECT_EQ(acc.Count(), 0u);
  EXPECT_EQ(acc.Leq(), 0);
}

TEST(AcousticStats, EqualLevelsGiveThatLevelEverywhere) {
  const AcousticStats s = Stats(std::vector<double>(50, 72.4), 0.5);
  EXPECT_EQ(s.nCount, 50u);
  EXPECT_NEAR(s.dLeq, 72.4, 1e-9);
  EXPECT_EQ(s.dL10, 72.4);
  EXPECT_EQ(s.dL50, 72.4);
  EXPECT_EQ(s.dL90, 72.4);
  EXPECT_DOUBLE_EQ(s.dDurationSec, 25.0);
  EXPECT_NEAR(s.dSel, 72.4 + 10 * std::log10(25.0), 1e-9);
}

TEST(AcousticStats, LeqIsAnEnergyMeanNotAnArithmeticOne) {
  // 60 and 70 dB: the louder one dominates, 70 + 10·log10(1.1/2).
  const AcousticStats s = Stats({60.0, 70.0});
  EXPECT_NEAR(s.dLeq, 67.4036, 1e-4);
  // Ten times the energy per 10 dB: 50, 60 and 70 → 70 + 10·log10(1.11/3).
  EXPECT_NEAR(Stats({50.0, 60.0, 70.0}).dLeq, 65.6820, 1e-4);
}

TEST(AcousticStats, SingleSampleIsItsOwnEverything) {
  const AcousticStats s = Stats({55.5}, 2.0);
  EXPECT_EQ(s.nCount, 1u);
  EXPECT_NEAR(s.dLeq, 55.5, 1e-12);
  EXPECT_EQ(s.dL10, 55.5);
  EXPECT_EQ(s.dL50, 55.5);
  EXPECT_EQ(s.dL90, 55.5);
  EXPECT_DOUBLE_EQ(s.dDurationSec, 2.0);
  EXPECT_NEAR(s.dSel, 55.5 + 10 * std::log10(2.0), 1e-12);
  // One second of exposure: SEL equals the level.
  EXPECT_NEAR(Stats({55.5}, 1.0).dSel, 55.5, 1e-12);
}

TEST(AcousticStats, PercentilesTakeTheCeilingRankFromTheTop) {
  // N = 3: ceil(0.3) = 1, ceil(1.5) = 2, ceil(2.7) = 3 → the 1st, 2nd and 3rd highest.
  AcousticStats s = Stats({50.0, 70.0, 60.0});
  EXPECT_EQ(s.dL10, 70.0);
  EXPECT_EQ(s.dL50, 60.0);
  EXPECT_EQ(s.dL90, 50.0);
  // N = 10, levels 1..10: ranks 1, 5 and 9 from the top.
  s = Stats({3, 9, 1, 7, 5, 10, 2, 8, 4, 6});
  EXPECT_EQ(s.dL10, 10.0);
  EXPECT_EQ(s.dL50, 6.0);
  EXPECT_EQ(s.dL90, 2.0);
  // N = 20, 1..20: ranks 2, 10 and 18.
  std::vector<double> v(20);
  for (int i = 0; i < 20; ++i)
    v[i] = 20 - i;
  std::shuffle(v.begin(), v.end(), std::mt19937(7));
  s = Stats(v);
  EXPECT_EQ(s.dL10, 19.0);
  EXPECT_EQ(s.dL50, 11.0);
  EXPECT_EQ(s.dL90, 3.0);
}

TEST(AcousticStats, PercentilesAgreeWithAFullSortForEverySize) {
  std::mt19937 rng(42);
  std::uniform_int_distribution<int> tenths(300, 400); // many equal levels
  for (std::size_t n = 1; n <= 300; ++n) {
    std::vector<double> v(n);
    for (double &d : v)
      d = tenths(rng) / 10.0;
    std::vector<double> sorted = v;
    std::sort(sorted.begin(), sorted.end(), std::greater<double>());
    auto at = [&](std::size_t x) { return sorted[(x * n + 99) / 100 - 1]; };
    const AcousticStats s = Stats(v);
    ASSERT_EQ(s.dL10, at(10)) << n;
    ASSERT_EQ(s.dL50, at(50)) << n;
    ASSERT_EQ(s.dL90, at(90)) << n;
    ASSERT_EQ(LevelExceeded(v, 50), at(50)) << n;
  }
}

// Long series take the bucketed selection: outliers that squeeze nearly
// every level into one bucket, infinities, not-a-number and equal levels
// must not move a rank.
TEST(AcousticStats, PercentilesOfLongSeriesAgreeWithAFullSort) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::mt19937 rng(99);
  std::uniform_int_distribution<int> tenths(300, 1300);
  std::uniform_real_distribution<double> real(-20.0, 140.0);
  auto check = [](std::vector<double> v, const char *what) {
    const std::size_t n = v.size();
    std::vector<double> sorted = v;
    for (double &d : sorted)
      d = std::isnan(d) ? -kInf : d;
    std::sort(sorted.begin(), sorted.end(), std::greater<double>());
    auto at = [&](std::size_t x) { return sorted[(x * n + 99) / 100 - 1]; };
    const AcousticStats s = ComputeAcousticStats(v, 1.0);
    EXPECT_EQ(s.dL10, at(10)) << what;
    EXPECT_EQ(s.dL50, at(50)) << what;
    EXPECT_EQ(s.dL90, at(90)) << what;
  };
  for (std::size_t n : {4096u, 4097u, 100003u}) {
    std::vector<double> v(n);
    for (double &d : v)
      d = tenths(rng) / 10.0;
    check(v, "tenths");
    for (double &d : v)
      d = real(rng);
    check(v, "real");
    v[3] = 1e300;
    v[7] = -1e300;
    check(v, "far outliers");
    v[3] = kInf;
    v[7] = -kInf;
    v[11] = nan;
    check(v, "infinities");
    check(std::vector<double>(n, 64.2), "equal");
    std::vector<double> halves(n, 40.0);
    std::fill(halves.begin(), halves.begin() + static_cast<std::ptrdiff_t>(n / 2), 90.0);
    check(halves, "two levels");
    check(std::vector<double>(n, nan), "no numbers");
  }
}

// A long series of tenths of a dB, as a meter reads, is counted per tenth;
// its figures are those of the series taken level by level.
TEST(AcousticStats, LongSeriesOfTenthsGiveTheFiguresOfEachLevel) {
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> tenths(-50, 1400);
  for (std::size_t n : {4095u, 4096u, 50001u}) {
    std::vector<double> v(n);
    for (double &d : v)
      d = tenths(rng) / 10.0;
    v[0] = 499.9; // the edges of the counted range
    v[1] = -499.9;
    CLeqAccumulator acc;
    for (double d : v)
      acc.Add(d);
    std::vector<double> sorted = v;
    std::sort(sorted.begin(), sorted.end(), std::greater<double>());
    const AcousticStats s = ComputeAcousticStats(v, 0.5);
    EXPECT_NEAR(s.dLeq, acc.Leq(), 1e-9) << n;
    EXPECT_NEAR(s.dSel, acc.Sel(0.5), 1e-9) << n;
    EXPECT_EQ(s.dL10, sorted[(10 * n + 99) / 100 - 1]) << n;
    EXPECT_EQ(s.dL50, sorted[(50 * n + 99) / 100 - 1]) << n;
    EXPECT_EQ(s.dL90, sorted[(90 * n + 99) / 100 - 1]) << n;
    // a level no tenth can be, and minus zero, are taken as they are
    v.assign(n, -0.0);
    EXPECT_TRUE(std::signbit(ComputeAcousticStats(v, 1.0).dL50));
    v.assign(n, 500.1);
    v[5] = 60.05;
    EXPECT_EQ(ComputeAcousticStats(v, 1.0).dL90, 500.1);
  }
}

TEST(AcousticStats, IncrementalLeqMatchesTheBatchOverALongRandomRun) {
  std::mt19937 rng(1234);
  std::uniform_real_distribution<double> level(30.0, 130.0);
  std::vector<double> v(40000);
  for (double &d : v)
    d = level(rng);
  // A slow rise as well, which moves the accumulator's reference on every sample.
  for (std::size_t i = 0; i < 5000; ++i)
    v[i] = 30.0 + static_cast<double>(i) * 0.02;
  CLeqAccumulator acc;
  for (double d : v)
    acc.Add(d);
  const AcousticStats s = Stats(v, 0.1);
  EXPECT_EQ(acc.Count(), 40000u);
  EXPECT_NEAR(acc.Leq(), s.dLeq, 0.01);
  EXPECT_NEAR(acc.Sel(0.1), s.dSel, 0.01);
  acc.Clear();
  EXPECT_EQ(acc.Count(), 0u);
  acc.Add(40.0);
  EXPECT_NEAR(acc.Leq(), 40.0, 1e-12);
}

TEST(AcousticStats, ExtremeLevelsNeitherOverflowNorVanish) {
  // 10^(400/10) overflows a double; relative energies do not.
  EXPECT_NEAR(Stats({400.0, 400.0}).dLeq, 400.0, 1e-9);
  CLeqAccumulator acc;
  acc.Add(-1000.0);
  acc.Add(400.0);
  acc.Add(400.0);
  EXPECT_NEAR(acc.Leq(), 400.0 + 10 * std::log10(2.0 / 3.0), 1e-9);
  // A level read from a file as infinite stays infinite; minus infinity carries no energy.
  EXPECT_EQ(Stats({kInf, 50.0, kInf}).dLeq, kInf);
  acc.Clear();
  acc.Add(kInf);
  acc.Add(kInf);
  EXPECT_EQ(acc.Leq(), kInf);
  acc.Clear();
  acc.Add(-kInf);
  acc.Add(50.0);
  EXPECT_NEAR(acc.Leq(), 50.0 + 10 * std::log10(0.5), 1e-12);
  EXPECT_NEAR(Stats({-kInf, 50.0}).dLeq, 50.0 + 10 * std::log10(0.5), 1e-12);
  // Not a number sorts lowest and adds nothing, so the selection stays sound.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const AcousticStats s = Stats({nan, 60.0, nan});
  EXPECT_NEAR(s.dLeq, 60.0 + 10 * std::log10(1.0 / 3.0), 1e-12);
  EXPECT_EQ(s.dL10, 60.0);
  EXPECT_EQ(s.dL90, -kInf);
}

TEST(AcousticStats, SelNeedsATimeSpan) {
  EXPECT_TRUE(std::isnan(Stats({60.0, 61.0}, 0.0).dSel));
  CLeqAccumulator acc;
  acc.Add(60.0);
  EXPECT_TRUE(std::isnan(acc.Sel(0.0)));
  EXPECT_TRUE(std::isnan(acc.Sel(-1.0)));
  EXPECT_NEAR(acc.Sel(10.0), 70.0, 1e-12);
}

TEST(AcousticStats, DurationReadsHoursMinutesSeconds) {
  EXPECT_EQ(FormatDuration(0), "0:00:00");
  EXPECT_EQ(FormatDuration(59.4), "0:00:59");
  EXPECT_EQ(FormatDuration(0.1 * 36000), "1:00:00"); // 3600.0000000000005
  EXPECT_EQ(FormatDuration(2999.5), "0:50:00");
  EXPECT_EQ(FormatDuration(90061), "25:01:01");
  EXPECT_EQ(FormatDuration(-5), "0:00:00");
  EXPECT_EQ(FormatDuration(std::numeric_limits<double>::quiet_NaN()), "0:00:00");
}

TEST(AcousticStats, LabelCarriesTheSharedWeighting) {
  CUnitTally tally;
  EXPECT_EQ(LeqLabel(tally.Common()), "Leq"); // empty
  tally.Add("dBA");
  tally.Add("dBA");
  EXPECT_EQ(LeqLabel(tally.Common()), "LAeq");
  tally.Add("dBC");
  EXPECT_EQ(LeqLabel(tally.Common()), "Leq");
  tally.Add("dBA"); // mixed stays mixed
  EXPECT_EQ(tally.Common(), "");
  tally.Clear();
  tally.Add("dBC");
  EXPECT_EQ(LeqLabel(tally.Common()), "LCeq");
  EXPECT_EQ(LeqLabel("dB"), "Leq"); // a file's own unit text
}

} // namespace

// Counted in chunks, a long series of tenths gets the very figures of the
// whole; a short one, or one with a level no count holds, gets none.
TEST(TenthsCounter, GivesTheFiguresOfTheWholeOrNone) {
  const struct {
    const char *name;
    std::size_t n;
    double dOdd; // put in the middle; 0 leaves the series as it is
    bool bCounted;
  } cases[] = {{"long", 9000, 0, true},
               {"short", 4000, 0, false},
               {"finer than a tenth", 9000, 65.35, false},
               {"past the counts", 9000, 600.0, false},
               {"minus zero", 9000, -0.0, false},
               {"below zero", 9000, -3.5, true}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<double> levels;
    for (std::size_t i = 0; i < c.n; ++i)
      levels.push_back(static_cast<double>(250 + (i * 7919) % 800) / 10.0);
    if (c.dOdd != 0 || std::signbit(c.dOdd))
      levels[c.n / 2] = c.dOdd;
    CTenthsCounter counter;
    for (std::size_t at = 0; at < levels.size(); at += 1000)
      counter.Add(
          std::span<const double>(levels).subspan(at, std::min<std::size_t>(1000, levels.size() - at)));
    const std::optional<AcousticStats> got = counter.Figures(0.5);
    ASSERT_EQ(got.has_value(), c.bCounted);
    if (!got)
      continue;
    const AcousticStats want = ComputeAcousticStats(levels, 0.5);
    EXPECT_EQ(got->nCount, want.nCount);
    EXPECT_EQ(got->dLeq, want.dLeq);
    EXPECT_EQ(got->dL10, want.dL10);
    EXPECT_EQ(got->dL50, want.dL50);
    EXPECT_EQ(got->dL90, want.dL90);
    EXPECT_EQ(got->dSel, want.dSel);
    EXPECT_EQ(got->dDurationSec, want.dDurationSec);
  }
}
