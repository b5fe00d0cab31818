#include "journal/RecoveredRun.h"

#include "records/SampleStore.h"
#include "records/StatData.h"

void LoadRecoveredRun(const journal::JournalContent &content, CSampleStore &live, StatData &stat) {
  live.RemoveAll();
  stat.Reset();
  stat.dSampleRate = content.header.dRate;
  live.Reserve(content.samples.size());
  for (const journal::JournalSample &s : content.samples) {
    const std::size_t n = live.Emplace(s.dLevel, s.strTime, s.strUnit, 0, content.header.dRate) + 1;
    stat.AddSample(live[0], live[n - 1], n);
  }
}
