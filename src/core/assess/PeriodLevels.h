#pragma once

#include "assess/LevelEnergy.h"

#include <cstdint>
#include <vector>

// The levels of one period, kept for its L10, L50 and L90 and given back
// empty after each period. Levels in whole tenths of a dB (what a meter
// reads) are counted; once any other level comes, they are kept as they are.
class CPeriodLevels {
public:
  // `nTenths` as CLevelEnergy::Tenths gives it.
  void Add(double dLevel, int nTenths);
  std::size_t Count() const { return m_nCount; }
  struct Exceeded {
    double dL10 = 0, dL50 = 0, dL90 = 0;
  };
  // Nearest rank from the highest, as the run figures take them. Empty: zeros.
  Exceeded Figures() const;
  void Clear();

private:
  static constexpr int kTop = CLevelEnergy::kTop;
  void KeepAsLevels();

  std::vector<std::uint32_t> m_counts = std::vector<std::uint32_t>(kTop + 1, 0);
  int m_nLow = kTop + 1, m_nHigh = -1; // tenths counted
  std::vector<double> m_levels;        // once a level is no tenth
  bool m_bAsLevels = false;
  std::size_t m_nCount = 0;
};
