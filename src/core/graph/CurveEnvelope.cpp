#include "graph/CurveEnvelope.h"

#include "graph/GraphMath.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

int XOf(const CGraphState &s, std::size_t i) {
  return NearPixel(SampleToX(s, static_cast<double>(i)));
}
int YOf(const CGraphState &s, double dLevel) {
  return NearPixel(LevelToY(s, dLevel));
}

// The stretches met while walking the drawn samples from left to right.
class CStretchWalk {
public:
  explicit CStretchWalk(std::span<const LevelStretch> stretches) : m_st(stretches) {}

  double Level(std::size_t i) {
    const LevelStretch &st = At(i);
    return st.pStore->Level(st.nStoreFirst + (i - st.nFirst));
  }

  // Calls f(stretch, storeA, storeB, arrayFirstOfStoreA) for each part of [a, b), in order;
  // stops when f returns true.
  template <class F> void Parts(std::size_t a, std::size_t b, F f) {
    std::size_t k = Find(a);
    for (; k < m_st.size() && a < b; ++k) {
      const LevelStretch &st = m_st[k];
      const std::size_t end = std::min(b, st.nFirst + st.nCount);
      if (a >= end)
        continue;
      const std::size_t sa = st.nStoreFirst + (a - st.nFirst);
      if (f(st, sa, sa + (end - a), a))
        return;
      a = end;
    }
  }

private:
  std::size_t Find(std::size_t i) {
    while (m_nAt > 0 && i < m_st[m_nAt].nFirst)
      --m_nAt;
    while (m_nAt + 1 < m_st.size() && i >= m_st[m_nAt].nFirst + m_st[m_nAt].nCount)
      ++m_nAt;
    return m_nAt;
  }
  const LevelStretch &At(std::size_t i) { return m_st[Find(i)]; }

  std::span<const LevelStretch> m_st;
  std::size_t m_nAt = 0;
};

// The end of the pixel column that sample i starts: the first later sample
// in another column, or `last`. The guess from the scale is usually right;
// the search behind it makes sure.
std::size_t ColumnEnd(const CGraphState &s, std::size_t i, std::size_t last, int x) {
  const double dGuess = (x + 1 - kPlotLeft) * s.m_xScale + (s.m_xOffset - s.m_xMin);
  std::size_t guess = dGuess <= static_cast<double>(i + 1)  ? i + 1
                      : dGuess >= static_cast<double>(last) ? last
                                                            : static_cast<std::size_t>(dGuess);
  auto same = [&](std::size_t k) { return XOf(s, k) == x; };
  if (guess > i + 1 && guess < last && same(guess - 1) && !same(guess))
    return guess;
  if (guess == last && same(last - 1))
    return last;
  std::size_t lo = i, step = std::max<std::size_t>(1, guess - i), hi = i + step;
  while (hi < last && same(hi)) {
    lo = hi;
    step *= 2;
    hi = lo + step;
  }
  hi = std::min(hi, last);
  while (hi - lo > 1) {
    const std::size_t mid = lo + (hi - lo) / 2;
    (same(mid) ? lo : hi) = mid;
  }
  return hi;
}

// A test that holds for every level from some threshold up (or down), asked
// of many levels: what it said before bounds the threshold, so most levels
// are answered by a comparison instead of the pixel arithmetic.
template <class Test> class CMonotoneTest {
public:
  CMonotoneTest(Test test, bool bUpward) : m_test(test), m_bUp(bUpward) {}
  bool operator()(double L) {
    const double d = m_bUp ? L : -L;
    if (d >= m_dPass)
      return true;
    if (d <= m_dFail)
      return false;
    const bool b = m_test(L);
    if (!std::isnan(L))
      (b ? m_dPass : m_dFail) = d;
    return b;
  }

private:
  Test m_test;
  bool m_bUp;
  double m_dPass = std::numeric_limits<double>::infinity();
  double m_dFail = -std::numeric_limits<double>::infinity();
};

} // namespace

GraphPoint CurvePoint(const CGraphState &s, std::size_t i, double dLevel) {
  return {XOf(s, i), YOf(s, dLevel)};
}

void AddCurvePoints(const CGraphState &s, std::span<const LevelStretch> stretches, std::size_t first,
                    std::size_t last, CCurvePoints &curve) {
  CStretchWalk walk(stretches);
  // Below a few samples per column, taking each point costs no more.
  if (s.m_xScale < 4.0) {
    for (std::size_t i = first; i < last; ++i)
      curve.Add(CurvePoint(s, i, walk.Level(i)));
    return;
  }
  for (std::size_t i = first; i < last;) {
    const int x = XOf(s, i);
    const std::size_t j = ColumnEnd(s, i, last, x);
    if (j - i < 3) {
      for (; i < j; ++i)
        curve.Add(CurvePoint(s, i, walk.Level(i)));
      continue;
    }
    CLevelPyramid::MinMax mm{walk.Level(i), walk.Level(i)};
    walk.Parts(i, j, [&](const LevelStretch &st, std::size_t a, std::size_t b, std::size_t) {
      const CLevelPyramid::MinMax m = st.pStore->LevelRange(a, b);
      mm.dMin = std::min(mm.dMin, m.dMin);
      mm.dMax = std::max(mm.dMax, m.dMax);
      return false;
    });
    const int yTop = YOf(s, mm.dMax), yBottom = YOf(s, mm.dMin);
    // Whether the column's curve reaches its top or its bottom first: the
    // first sample drawn at either, and which one it is drawn at.
    CMonotoneTest atTop([&](double L) { return YOf(s, L) <= yTop; }, true);
    CMonotoneTest atBottom([&](double L) { return YOf(s, L) >= yBottom; }, false);
    std::size_t firstAt = j;
    walk.Parts(i, j, [&](const LevelStretch &st, std::size_t a, std::size_t b, std::size_t arrayA) {
      const std::size_t k = st.pStore->FirstHighOrLowWhere(
          a, b, [&](double L) { return atTop(L); }, [&](double L) { return atBottom(L); });
      firstAt = k < b ? arrayA + (k - a) : j;
      return k < b;
    });
    // Only the order of the two counts. Levels that do not order (NaN) may
    // leave both unfound, which reads as the top first.
    const bool bTopFirst = firstAt == j || YOf(s, walk.Level(firstAt)) <= yTop;
    const std::size_t topAt = bTopFirst ? firstAt : firstAt + 1;
    const std::size_t bottomAt = bTopFirst ? std::min(firstAt + 1, j) : firstAt;
    curve.AddColumn(CurvePoint(s, i, walk.Level(i)), {x, yTop}, topAt - i, {x, yBottom}, bottomAt - i,
                    CurvePoint(s, j - 1, walk.Level(j - 1)), j - i);
    i = j;
  }
}
