#pragma once

#include "records/SampleArray.h"
#include "records/SampleStore.h"
#include "records/StatData.h"

// Empties `sel` (no sample is destroyed) and fills it with every sample of
// `store` in group `nGroup`, in store order, then computes `stat` from the
// recording's start values (kRecordingStatStart).
// Returns false when no sample is in the group (the store changed since the
// list was built): the selection is then empty and `stat` holds no samples.
bool SelectRecording(const CSampleStore &store, int nGroup, CSampleSelection &sel, StatData &stat);
