#include "datalog/RecordingSelection.h"

#include "files/NumberText.h"

#include <span>
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
  for (const CSampleStore::GroupRun &run : store.GroupRuns())
    if (run.nGroup == nGroup)
      sel.AddRange(store, run.nFirst, run.nCount);
  stat = SelectionStatistics(sel);
  return !sel.IsEmpty();
}

StatData SelectionStatistics(const CSampleArray &sel) {
  StatData st;
  st.dMax = kMaxStart;
  st.dMin = kMinStart;
  const std::size_t n = sel.GetSize();
  // the texts only for the samples that set an extreme
  std::size_t nMaxAt = n, nMinAt = n;
  sel.ForEachLevelSpan(0, n, [&](std::span<const double> levels, std::size_t nAt) {
    for (std::size_t k = 0; k < levels.size(); ++k) {
      const double d = levels[k];
      st.dSum += d;
      if (d > st.dMax) {
        st.dMax = d;
        nMaxAt = nAt + k;
      }
      if (d < st.dMin) {
        st.dMin = d;
        nMinAt = nAt + k;
      }
    }
  });
  if (nMaxAt < n) {
    st.strMaxTime = sel.Time(nMaxAt);
    st.strMaxUnit = sel.Unit(nMaxAt);
  }
  if (nMinAt < n) {
    st.strMinTime = sel.Time(nMinAt);
    st.strMinUnit = sel.Unit(nMinAt);
  }
  if (n > 0) {
    st.dAverage = st.dSum / static_cast<double>(n);
    st.dSampleRate = sel.SampleRate(0);
    st.strStartTime = sel.Time(0);
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
