#include "records/StatData.h"

#include "records/ObjData.h"

void StatData::Reset() {
  dMax = 0;
  dMin = 150.0;
  dAverage = 0;
  strMaxTime.clear();
  strMinTime.clear();
  strStartTime.clear();
  dSum = 0;
}

StatData::Change StatData::AddSample(const CObjData &first, const CObjData &rec, std::size_t nCount) {
  Change ch;
  strStartTime = first.m_strTime;
  if (rec.m_dValue > dMax) {
    dMax = rec.m_dValue;
    strMaxTime = rec.m_strTime;
    strMaxUnit = rec.m_strUnit;
    ch.bMax = true;
  }
  if (rec.m_dValue < dMin) {
    dMin = rec.m_dValue;
    strMinTime = rec.m_strTime;
    strMinUnit = rec.m_strUnit;
    ch.bMin = true;
  }
  dSum += rec.m_dValue;
  dAverage = nCount ? dSum / static_cast<double>(nCount) : 0;
  return ch;
}
