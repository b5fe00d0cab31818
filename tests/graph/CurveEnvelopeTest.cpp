#include "graph/CurveEnvelope.h"
#include "graph/GraphMath.h"
#include "records/SampleStore.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// The points as the curve took them before: every visible sample's point,
// one by one.
std::vector<GraphPoint> BruteForce(const CGraphState &s, const std::vector<double> &levels, SampleRange r) {
  CCurvePoints curve;
  for (std::size_t i = r.first; i < r.last; ++i)
    curve.Add(CurvePoint(s, i, levels[i]));
  return curve.Finish();
}

std::vector<GraphPoint> ByPyramid(const CGraphState &s, const std::vector<LevelStretch> &st, SampleRange r) {
  CCurvePoints curve;
  AddCurvePoints(s, st, r.first, r.last, curve);
  return curve.Finish();
}

// Levels as a meter gives them (tenths of a dB, long flat stretches and
// ties), with now and then (`bFar`) one far off the plot, which the store
// keeps as a double.
double RandomLevel(std::mt19937 &rng, bool bFar = true) {
  const unsigned r = rng();
  if (bFar && r % 5000 == 0)
    return (r & 1 ? 1 : -1) * 1e12;
  if (r % 7 == 0)
    return 55.0;
  return static_cast<double>(300 + static_cast<int>(r % 900)) / 10.0;
}

CGraphState Unzoomed(int nWidth, std::size_t nCount) {
  CGraphState s;
  SetDefaultView(s, nWidth + kMarginWidth, 400);
  GrowXRange(s, nCount, [] {});
  return s;
}

} // namespace

TEST(CurveEnvelopeTest, PyramidFindsTheSameExtremesAsAWalk) {
  std::mt19937 rng(7);
  std::vector<double> levels;
  CLevelPyramid grown;
  for (std::size_t n = 1; n <= 5000; ++n) {
    levels.push_back(RandomLevel(rng));
    grown.Append(levels);
    CLevelPyramid built;
    built.Rebuild(levels);
    for (int q = 0; q < 4; ++q) {
      std::size_t a = rng() % n, b = a + 1 + rng() % (n - a);
      double lo = levels[a], hi = levels[a];
      for (std::size_t i = a; i < b; ++i)
        lo = std::min(lo, levels[i]), hi = std::max(hi, levels[i]);
      for (const CLevelPyramid *p : {&grown, &built}) {
        const CLevelPyramid::MinMax m = p->Range(levels, a, b);
        ASSERT_EQ(m.dMin, lo) << n << " " << a << " " << b;
        ASSERT_EQ(m.dMax, hi) << n << " " << a << " " << b;
      }
      const double bound = levels[a + (b - a) / 2];
      std::size_t firstHigh = a, firstLow = a;
      while (firstHigh < b && levels[firstHigh] < bound)
        ++firstHigh;
      while (firstLow < b && levels[firstLow] > bound - 1)
        ++firstLow;
      auto high = [&](double L) { return L >= bound; };
      auto low = [&](double L) { return L <= bound - 1; };
      auto never = [](double) { return false; };
      ASSERT_EQ(grown.FirstHighOrLowWhere(levels, a, b, high, never), firstHigh);
      ASSERT_EQ(grown.FirstHighOrLowWhere(levels, a, b, never, low), firstLow);
      ASSERT_EQ(built.FirstHighOrLowWhere(levels, a, b, high, low), std::min(firstHigh, firstLow));
    }
  }
}

TEST(CurveEnvelopeTest, EveryStoreSizeDrawsTheSamePointsUnzoomedAndZoomed) {
  // levels in tenths at first; the store turns to doubles at the first far one
  std::mt19937 rng(2026);
  std::vector<double> levels;
  CSampleStore store;
  for (std::size_t n = 0; n <= 10000; ++n) {
    if (n > 0) {
      levels.push_back(RandomLevel(rng));
      store.AppendAt(levels.back(), 0, TimeStyle::PaddedHour, "dBA", 0, 1.0);
    }
    const std::vector<LevelStretch> st{{0, n, 0, &store}};
    // narrow plots put many samples into a column long before 10,000
    const int nWidth = 1 + static_cast<int>((n * 7919) % 1300);
    CGraphState s = Unzoomed(nWidth, n);
    ASSERT_EQ(ByPyramid(s, st, VisibleRange(s, n)), BruteForce(s, levels, VisibleRange(s, n))) << n;
    if (n < 2)
      continue;
    s.m_zoomed = 1.0;
    s.m_xScale = (1.0 + static_cast<double>(rng() % n)) / s.m_plotWidth;
    s.m_xOffset = static_cast<double>(rng() % n) + (rng() % 4) * 0.25;
    s.m_yScale = (0.01 + static_cast<double>(rng() % 100) / 50.0);
    s.m_yOffset = static_cast<double>(rng() % 80);
    ASSERT_EQ(ByPyramid(s, st, VisibleRange(s, n)), BruteForce(s, levels, VisibleRange(s, n)))
        << "zoomed " << n;
  }
}

TEST(CurveEnvelopeTest, ASelectionInSeveralStretchesOfTheStore) {
  // a recording number that comes twice in the store: its samples are two
  // stretches of it, drawn as one series
  std::mt19937 rng(11);
  std::vector<double> store(30000);
  CSampleStore kept;
  kept.BeginBulkAppend();
  for (double &d : store) {
    d = RandomLevel(rng, false);
    kept.AppendAt(d, 0, TimeStyle::PaddedHour, "dBA", 0, 1.0);
  }
  kept.EndBulkAppend();
  ASSERT_TRUE(kept.LevelsInTenths());
  const std::vector<LevelStretch> st{{0, 7000, 1000, &kept}, {7000, 9000, 20000, &kept}};
  std::vector<double> drawn(store.begin() + 1000, store.begin() + 8000);
  drawn.insert(drawn.end(), store.begin() + 20000, store.begin() + 29000);
  for (int nWidth : {50, 333, 1190}) {
    const CGraphState s = Unzoomed(nWidth, drawn.size());
    const SampleRange r = VisibleRange(s, drawn.size());
    EXPECT_EQ(ByPyramid(s, st, r), BruteForce(s, drawn, r)) << nWidth;
  }
}
