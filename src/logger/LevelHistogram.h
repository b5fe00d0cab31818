#pragma once

#include <cstddef>
#include <cstdint>
#include <map>

// The levels of a long run counted by value, so that percentile levels of
// millions of samples need memory for the distinct levels only (the meter
// shows tenths of a dB). The percentile rule is the one of the statistics:
// sorted from highest to lowest, the level at index ceil(x·N/100) − 1.
class CLevelHistogram {
public:
  void Add(double dLevel);
  std::uint64_t Count() const { return m_nCount; }
  // The level exceeded by nPercent % of the samples; 0 while empty.
  double LevelExceeded(int nPercent) const;
  std::size_t DistinctLevels() const { return m_counts.size(); }

private:
  // Levels in hundredths of a dB, highest first.
  std::map<long long, std::uint64_t, std::greater<long long>> m_counts;
  std::uint64_t m_nCount = 0;
};
