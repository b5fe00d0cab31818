#include "graph/CursorStats.h"

CursorStats ComputeCursorStats(const CSampleArray &samples, std::size_t a, std::size_t b) {
  CursorStats st;
  double dMax = 0, dMin = 150;
  for (std::size_t i = a; i <= b; ++i) {
    const double d = samples[i].m_dValue;
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
  return st;
}
