#include "protocol/ReadoutLine.h"

#include "files/NumberText.h"

std::string RangeText(int nRange) {
  return nRange == 4 ? "AUTO" : std::to_string(nRange);
}

std::string FormatReadoutLine(const CMeterState &st) {
  std::string line;
  AppendFixed(line, st.m_dLevel, 1, 5);
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
