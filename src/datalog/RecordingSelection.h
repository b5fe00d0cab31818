#pragma once

#include "records/SampleArray.h"
#include "records/SampleStore.h"
#include "records/StatData.h"

#include <cstddef>
#include <string>

// Empties `sel` (no sample is destroyed) and fills it with every sample of
// `store` in group `nGroup`, in store order, then computes `stat` the way
// the data logger window does: the maximum starts at 0.0 and the minimum at
// 130.0, only strictly greater or smaller levels replace them (ties keep the
// earliest), and an extreme that never moved has no time and no unit.
// Returns false when no sample is in the group (the store changed since the
// list was built): the selection is then empty and `stat` holds no samples.
bool SelectRecording(const CSampleStore &store, int nGroup, CSampleSelection &sel, StatData &stat);

// Statistics of a selection by the rules above.
StatData SelectionStatistics(const CSampleArray &sel);

// The texts of the window's statistics read-outs; all empty for an empty
// selection.
struct SelectionReadouts {
  std::string strAverage; // "%.1f"
  std::string strMax;     // "%.1f"
  std::string strMaxTime;
  std::string strMin; // "%.1f"
  std::string strMinTime;
  std::string strStartTime;
  std::string strCount; // "%d"
};
SelectionReadouts MakeSelectionReadouts(const StatData &stat, std::size_t nCount);

// The sampling intervals of every rate box, in their order.
inline constexpr const char *kRateItems[] = {"0.1", "0.2", "0.5", "1", "1.5", "2", "2.5", "3", "5", "10"};
// Position in the rate box of the rate formatted with "%.1f", or -1 when
// the text matches no item ("4.0" does not).
int RateBoxIndex(double dSampleRate);
