#pragma once

#include <vector>

// One recording held in the simulated meter's data-logger memory.
struct CSimRecording {
  bool m_bWeightA = true; // false: C weighting
  int m_nYear = 2026;     // four digits; the wire carries the last two
  int m_nMonth = 1;
  int m_nDay = 1;
  int m_nHour = 0; // 0..23, written with the meter's twelve-hour encoding
  int m_nMinute = 0;
  int m_nSecond = 0;
  int m_nInterval = 1; // seconds between levels, 0..99
  std::vector<double> m_levels;
};
