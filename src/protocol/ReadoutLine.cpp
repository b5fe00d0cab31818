#include "protocol/ReadoutLine.h"

#include <cstdio>

std::string RangeText(int nRange) {
  return nRange == 4 ? "AUTO" : std::to_string(nRange);
}

std::string FormatReadoutLine(const CMeterState &st) {
  char level[32];
  std::snprintf(level, sizeof level, "%5.1f", st.m_dLevel);
  std::string line = level;
  line += st.m_bWeightA ? " dBA" : " dBC";
  line += st.m_bFast ? " FAST" : " SLOW";
  line += st.m_bMax ? " MAX " : st.m_bMin ? " MIN " : " -   ";
  line += " range " + RangeText(st.m_nRange);
  if (st.m_bOver)
    line += " OVER";
  if (st.m_bUnder)
    line += " UNDER";
  if (st.m_bRec)
    line += " REC";
  if (st.m_bHold)
    line += " HOLD";
  line += "  " + (st.m_strCurTime.empty() ? std::string("--") : st.m_strCurTime);
  return line;
}
