#pragma once

#include <cstddef>
#include <vector>

// The levels the simulated meter measures, one per live frame, repeating
// when the pattern is exhausted.
class CLevelSource {
public:
  static CLevelSource Constant(double dLevel) { return CLevelSource({dLevel}); }
  // nCount levels from dFrom in steps of dStep, then again from dFrom.
  static CLevelSource Steps(double dFrom, double dStep, int nCount);
  static CLevelSource Sequence(std::vector<double> levels) { return CLevelSource(std::move(levels)); }

  double Next();
  double Peek() const { return m_levels[m_nNext]; }

private:
  explicit CLevelSource(std::vector<double> levels);
  std::vector<double> m_levels;
  std::size_t m_nNext = 0;
};
