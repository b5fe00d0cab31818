#include "datalog/RecordingSelection.h"

bool SelectRecording(const CSampleStore &store, int nGroup, CSampleSelection &sel, StatData &stat) {
  sel.RemoveAll();
  for (const CSampleStore::GroupRun &run : store.GroupRuns())
    if (run.nGroup == nGroup)
      sel.AddRange(store, run.nFirst, run.nCount);
  stat = ComputeStatistics(sel, kRecordingStatStart);
  return !sel.IsEmpty();
}
