#include "datalog/RecordingList.h"

#include "files/NumberText.h"

std::vector<RecordingRow> BuildRecordingList(const CSampleArray &samples) {
  std::vector<RecordingRow> rows;
  const std::size_t n = samples.GetSize();
  for (std::size_t i = 0; i < n; ++i) {
    const int nGroup = samples.Group(i);
    if (!rows.empty() && rows.back().nGroup == nGroup) {
      ++rows.back().nCount;
      continue;
    }
    rows.push_back({nGroup, samples.Time(i), samples.Unit(i), samples.SampleRate(i), i, 1});
  }
  return rows;
}

std::array<std::string, 5> RecordingRowTexts(const RecordingRow &row) {
  std::array<std::string, 5> t;
  AppendInt(t[0], row.nGroup);
  t[1] = row.strTime;
  t[2] = row.strUnit;
  AppendFixed(t[3], row.dSampleRate, 2);
  AppendInt(t[4], static_cast<long long>(row.nCount));
  return t;
}
