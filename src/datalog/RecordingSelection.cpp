#include "datalog/RecordingSelection.h"

#include "files/NumberText.h"

#include <string_view>

namespace {
constexpr double kMaxStart = 0.0;
constexpr double kMinStart = 130.0;

std::string OneDecimal(double d) {
  std::string s;
  AppendFixed(s, d, 1);
  return s;
}
} // namespace

bool SelectRecording(const CSampleStore &store, int nGroup, CSampleSelection &sel, StatData &stat) {
  sel.RemoveAll();
  for (std::size_t i = 0, n = store.GetSize(); i < n; ++i)
    if (store[i].m_nGroup == nGroup)
      sel.Add(store[i]);
  stat = SelectionStatistics(sel);
  return !sel.IsEmpty();
}

StatData SelectionStatistics(const CSampleArray &sel) {
  StatData st;
  st.dMax = kMaxStart;
  st.dMin = kMinStart;
  const std::size_t n = sel.GetSize();
  for (std::size_t i = 0; i < n; ++i) {
    const CObjData &rec = sel[i];
    st.dSum += rec.m_dValue;
    if (rec.m_dValue > st.dMax) {
      st.dMax = rec.m_dValue;
      st.strMaxTime = rec.m_strTime;
      st.strMaxUnit = rec.m_strUnit;
    }
    if (rec.m_dValue < st.dMin) {
      st.dMin = rec.m_dValue;
      st.strMinTime = rec.m_strTime;
      st.strMinUnit = rec.m_strUnit;
    }
  }
  if (n > 0) {
    st.dAverage = st.dSum / static_cast<double>(n);
    st.dSampleRate = sel[0].m_dSampleRate;
    st.strStartTime = sel[0].m_strTime;
  }
  return st;
}

SelectionReadouts MakeSelectionReadouts(const StatData &stat, std::size_t nCount) {
  if (nCount == 0)
    return {};
  SelectionReadouts r;
  r.strAverage = OneDecimal(stat.dAverage);
  r.strMax = OneDecimal(stat.dMax);
  r.strMaxTime = stat.strMaxTime;
  r.strMin = OneDecimal(stat.dMin);
  r.strMinTime = stat.strMinTime;
  r.strStartTime = stat.strStartTime;
  AppendInt(r.strCount, static_cast<long long>(nCount));
  return r;
}

int RateBoxIndex(double dSampleRate) {
  static constexpr std::string_view kTexts[] = {"0.1", "0.2", "0.5", "1.0", "1.5",
                                                "2.0", "2.5", "3.0", "5.0", "10.0"};
  const std::string text = OneDecimal(dSampleRate);
  for (int i = 0; i < 10; ++i)
    if (kTexts[i] == text)
      return i;
  return -1;
}
