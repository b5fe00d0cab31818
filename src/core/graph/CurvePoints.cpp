#include "graph/CurvePoints.h"

void CCurvePoints::Clear() {
  Rewind({});
}

void CCurvePoints::Rewind(const Mark &m) {
  m_out.resize(m.nPoints);
  m_nRun = 0;
  m_nTaken = m_nRunFrom = m.nSamples;
  m_nRunOut = m.nPoints;
}

void CCurvePoints::Add(GraphPoint p) {
  ++m_nTaken;
  if (m_nRun > 0 && p.x == m_first.x) {
    m_last = p;
    ++m_nPos;
    ++m_nRun;
    if (p.y < m_min.y) {
      m_min = p;
      m_nMinAt = m_nPos;
    }
    if (p.y > m_max.y) {
      m_max = p;
      m_nMaxAt = m_nPos;
    }
    return;
  }
  Flush();
  m_nRunFrom = m_nTaken - 1;
  m_nRunOut = m_out.size();
  m_first = m_last = m_min = m_max = p;
  m_nRun = 1;
  m_nPos = m_nMinAt = m_nMaxAt = 0;
}

void CCurvePoints::AddColumn(GraphPoint first, GraphPoint top, std::size_t nTopAt, GraphPoint bottom,
                             std::size_t nBottomAt, GraphPoint last, std::size_t nCount) {
  Flush();
  m_nRunFrom = m_nTaken;
  m_nRunOut = m_out.size();
  m_nTaken += nCount;
  m_first = first;
  m_min = top;
  m_nMinAt = nTopAt;
  m_max = bottom;
  m_nMaxAt = nBottomAt;
  m_last = last;
  m_nRun = nCount;
  m_nPos = nCount - 1;
}

void CCurvePoints::Push(GraphPoint p) {
  if (m_out.empty() || !(m_out.back() == p))
    m_out.push_back(p);
}

void CCurvePoints::Flush() {
  if (m_nRun == 0)
    return;
  m_out.push_back(m_first);
  if (m_nRun > 1) {
    const bool bMinFirst = m_nMinAt <= m_nMaxAt;
    Push(bMinFirst ? m_min : m_max);
    Push(bMinFirst ? m_max : m_min);
    Push(m_last);
  }
  m_nRun = 0;
}

const std::vector<GraphPoint> &CCurvePoints::Finish() {
  Flush();
  return m_out;
}
