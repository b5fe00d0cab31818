#include "graph/CursorStats.h"

#include "records/AcousticStats.h"

CursorStats ComputeCursorStats(const CSampleArray &samples, std::size_t a, std::size_t b) {
  CursorStats st;
  double dMax = 0, dMin = 150;
  CLeqAccumulator leq;
  CUnitTally units;
  for (std::size_t i = a; i <= b; ++i) {
    const double d = samples[i].m_dValue;
    leq.Add(d);
    units.Add(samples[i].m_strUnit);
    if (d > dMax) {
      dMax = d;
      st.maxIndex = i;
    }
    if (d < dMin) {
      dMin = d;
      st.minIndex = i;
    }
    st.dSum += d;
  }
  st.nCount = static_cast<int>(b - a + 1);
  st.dLeq = leq.Leq();
  st.strCommonUnit = units.Common();
  return st;
}
