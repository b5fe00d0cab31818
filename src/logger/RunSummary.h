#pragma once

#include "logger/LevelHistogram.h"
#include "logger/LoggedSample.h"
#include "records/AcousticStats.h"

#include <cstdint>
#include <string>

// What a logging run has seen, for the summary on exit: counts, extremes
// with their times, Leq and the percentile levels, in constant memory per
// sample (the percentiles keep one count per distinct level).
class CRunSummary {
public:
  void Add(const CLoggedSample &s);
  // The meter was lost (silent or unplugged) during the run.
  void NoteGap() { ++m_nGaps; }
  // A sample the data file could not take, and why (the first reason is kept).
  void NoteUnwritten(const CLoggedSample &s, const std::string &strWhy);

  std::uint64_t Count() const { return m_hist.Count(); }
  std::uint64_t Gaps() const { return m_nGaps; }
  std::uint64_t Unwritten() const { return m_nUnwritten; }
  double Leq() const { return m_leq.Leq(); }
  std::string LeqName() const { return LeqLabel(m_units.Common()); }
  double Max() const { return m_max.dLevel; }
  double Min() const { return m_min.dLevel; }
  const CLevelHistogram &Histogram() const { return m_hist; }

  // The lines printed on exit, each ending in "\n".
  std::string Format() const;

private:
  CLevelHistogram m_hist;
  CLeqAccumulator m_leq;
  CUnitTally m_units;
  std::uint64_t m_nGaps = 0;
  std::uint64_t m_nUnwritten = 0;
  std::string m_strUnwrittenWhy;
  CLoggedSample m_firstUnwritten, m_lastUnwritten;
  CLoggedSample m_max, m_min, m_first, m_last;
};
