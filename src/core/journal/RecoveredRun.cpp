#include "journal/RecoveredRun.h"

#include "records/SampleArray.h"
#include "records/SampleStore.h"
#include "records/StatData.h"

void LoadRecoveredRun(const journal::JournalContent &content, CSampleStore &live, StatData &stat) {
  live.RemoveAll();
  live.Reserve(content.samples.size());
  int nGroup = 0; // a new group after each gap, as the run kept them
  for (const journal::JournalSample &s : content.samples)
    live.Emplace(s.dLevel, s.strTime, s.strUnit, nGroup += s.bAfterGap ? 1 : 0, content.header.dRate);
  stat = ComputeStatistics(CSampleArray(live), kRunStatStart);
  stat.dSampleRate = content.header.dRate;
}
