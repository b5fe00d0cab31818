#pragma once

#include "records/SampleArray.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

// One row of the data logger window's list: a run of neighbouring samples
// with the same group number. A number that comes back after another one
// makes a second row with the same number.
struct RecordingRow {
  int nGroup = 0;
  std::string strTime; // of the run's first sample
  std::string strUnit;
  double dSampleRate = 0;
  std::size_t nFirst = 0; // index of the first sample in the store
  std::size_t nCount = 0;
};

std::vector<RecordingRow> BuildRecordingList(const CSampleArray &samples);

// Texts of the five columns: "%d", time, unit, "%.2f", "%d".
std::array<std::string, 5> RecordingRowTexts(const RecordingRow &row);
