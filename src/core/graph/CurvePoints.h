#pragma once

#include "graph/GraphState.h"

#include <cstddef>
#include <vector>

// Points of the curve's polyline. Consecutive points in one pixel column
// only paint that column between their lowest and highest point, so such a
// run is kept as its first point, its two extremes in the order they came,
// and its last point: the same pixels with at most four points per column,
// however many samples fall into it.
class CCurvePoints {
public:
  void Clear();
  void Add(GraphPoint p);
  // A whole run of nCount >= 2 points in one column, as Add would take it:
  // its first and last point, and the first points at its top and bottom
  // with their positions in the run.
  void AddColumn(GraphPoint first, GraphPoint top, std::size_t nTopAt, GraphPoint bottom,
                 std::size_t nBottomAt, GraphPoint last, std::size_t nCount);
  // Ends the last run; the points are complete afterwards.
  const std::vector<GraphPoint> &Finish();

  // Where the last run began: its first point's place among the points and
  // the number of samples taken before it. Samples appended to a curve can
  // only change its last run, so a longer curve goes on from there.
  struct Mark {
    std::size_t nPoints = 0;
    std::size_t nSamples = 0;
  };
  Mark LastRun() const { return {m_nRunOut, m_nRunFrom}; }
  // Back to the points before that run, as if its samples were never taken.
  void Rewind(const Mark &m);

private:
  void Flush();
  void Push(GraphPoint p);

  std::vector<GraphPoint> m_out;
  std::size_t m_nRun = 0; // points in the current run
  std::size_t m_nPos = 0; // position of the newest point in the run
  GraphPoint m_first, m_last, m_min, m_max;
  std::size_t m_nMinAt = 0, m_nMaxAt = 0;
  std::size_t m_nTaken = 0;   // samples taken
  std::size_t m_nRunFrom = 0; // samples taken before the current run
  std::size_t m_nRunOut = 0;  // points before the current run
};
