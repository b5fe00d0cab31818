#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>
#include <vector>

struct LevelMinMax {
  double dMin = 0;
  double dMax = 0;
};

// Minimum and maximum of a series of levels over blocks of 16, 256, 4096 …
// samples, kept up to date as levels are appended, so the extremes of any
// stretch (and the first level past a bound in it) are found in time that
// grows with the logarithm of its length. The levels stay with their owner
// and are passed in to each query. T is double for levels in dB, or
// std::int16_t for levels in tenths of a dB: the blocks then hold tenths too,
// and the extremes read back as the very doubles the tenths stand for.
template <class T> class CMinMaxPyramid {
public:
  static constexpr std::size_t kFanout = 16;
  using MinMax = LevelMinMax;

  static double ToLevel(T v) {
    if constexpr (std::is_same_v<T, double>)
      return v;
    else
      return static_cast<double>(v) / 10.0;
  }

  void Clear() { m_layers.clear(); }
  // `levels` already holds the new level at its end.
  void Append(std::span<const T> levels);
  void Rebuild(std::span<const T> levels);
  std::size_t Bytes() const;

  // Extremes of levels[a, b); a < b <= levels.size().
  MinMax Range(std::span<const T> levels, std::size_t a, std::size_t b) const;

  // First index in [a, b) whose level passes `high` or `low`, or b. Every
  // level above one that passes `high` must pass it too, and every level
  // below one that passes `low`.
  template <class High, class Low>
  std::size_t FirstHighOrLowWhere(std::span<const T> levels, std::size_t a, std::size_t b, High high,
                                  Low low) const {
    return FirstWhere(
        levels, a, b, [&](const Node &m) { return high(ToLevel(m.hi)) || low(ToLevel(m.lo)); },
        [&](T d) { return high(ToLevel(d)) || low(ToLevel(d)); });
  }

private:
  struct Node {
    T lo = 0;
    T hi = 0;
  };
  static void Widen(Node &m, const Node &by) {
    m.lo = std::min(m.lo, by.lo);
    m.hi = std::max(m.hi, by.hi);
  }

  // A level (layer 0) or an entry of m_layers[nLayer - 1].
  struct Block {
    std::size_t nLayer;
    std::size_t nIndex;
  };
  // 15 blocks a side on each of at most 16 layers (16^16 levels)
  static constexpr std::size_t kMaxCover = 15 * 16;
  // The stretch [a, b) as whole blocks from left to right.
  struct Cover {
    Block left[kMaxCover];
    Block right[kMaxCover]; // reversed
    std::size_t nLeft = 0, nRight = 0;
    std::size_t nMidLayer = 0, nMidLo = 0, nMidHi = 0;
  };
  Cover CoverOf(std::size_t a, std::size_t b) const;

  template <class NodeTest, class LeafTest>
  bool Descend(std::span<const T> levels, Block bl, NodeTest &nodeTest, LeafTest &leafTest,
               std::size_t &out) const {
    if (!(bl.nLayer == 0 ? leafTest(levels[bl.nIndex]) : nodeTest(m_layers[bl.nLayer - 1][bl.nIndex])))
      return false;
    for (std::size_t k = bl.nLayer; k > 0; --k) {
      // a block passes only through a child that passes; levels that do not
      // order (NaN) may break that, and then nothing is found
      const std::size_t c0 = bl.nIndex * kFanout;
      const std::size_t cEnd = std::min(c0 + kFanout, k == 1 ? levels.size() : m_layers[k - 2].size());
      std::size_t c = c0;
      while (c < cEnd && !(k == 1 ? leafTest(levels[c]) : nodeTest(m_layers[k - 2][c])))
        ++c;
      if (c == cEnd)
        return false;
      bl.nIndex = c;
    }
    out = bl.nIndex;
    return true;
  }

  template <class NodeTest, class LeafTest>
  std::size_t FirstWhere(std::span<const T> levels, std::size_t a, std::size_t b, NodeTest nodeTest,
                         LeafTest leafTest) const {
    if (a >= b)
      return b;
    const Cover c = CoverOf(a, b);
    std::size_t out = b;
    for (std::size_t i = 0; i < c.nLeft; ++i)
      if (Descend(levels, c.left[i], nodeTest, leafTest, out))
        return out;
    for (std::size_t i = c.nMidLo; i < c.nMidHi; ++i)
      if (Descend(levels, {c.nMidLayer, i}, nodeTest, leafTest, out))
        return out;
    for (std::size_t i = c.nRight; i-- > 0;)
      if (Descend(levels, c.right[i], nodeTest, leafTest, out))
        return out;
    return b;
  }

  // Layer k holds one entry per block of 16^(k+1) levels, the last one
  // possibly partial.
  std::vector<std::vector<Node>> m_layers;
};

using CLevelPyramid = CMinMaxPyramid<double>;
extern template class CMinMaxPyramid<double>;
extern template class CMinMaxPyramid<std::int16_t>;
