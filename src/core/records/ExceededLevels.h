#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <span>

#include "records/AcousticStats.h"

// L10, L50 and L90 of a series that grows one sample at a time, exact and
// at O(log D) per sample for D distinct levels. A meter reads in steps of
// 0.1 dB, so D stays in the hundreds however long a run goes; a series of
// more distinct levels than kMaxDistinct gives up (Exact() is false) rather
// than grow without bound, and its percentiles must be selected whole.
class CExceededLevels {
public:
  static constexpr std::size_t kMaxDistinct = std::size_t{1} << 16;

  CExceededLevels();
  void Add(double dLevel);
  void Clear();
  // Starts again from a whole series.
  void Assign(std::span<const double> levels);
  bool Exact() const { return m_bExact; }
  std::size_t Count() const { return m_nCount; }
  // Writes L10, L50 and L90 into `s`; nothing while empty or not exact.
  void Fill(AcousticStats &s) const;

private:
  // Levels from highest to lowest with how often each came; a level that
  // is not a number counts as minus infinity, lowest of all.
  using Counts = std::map<double, std::size_t, std::greater<double>>;
  // The level at one rank: the distinct level holding it and how many
  // samples lie above that level.
  struct Rank {
    int nPercent = 0;
    Counts::iterator it;
    std::size_t nAbove = 0;
  };
  void Follow(Rank &r);

  Counts m_counts;
  Rank m_ranks[3];
  std::size_t m_nCount = 0;
  bool m_bExact = true;
};
