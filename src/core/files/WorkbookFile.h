#pragma once

#include "files/FileResult.h"
#include "records/SampleArray.h"
#include "records/StatData.h"

#include <cstddef>
#include <string>

// The spreadsheet workbook export (.xlsx): a sheet "Dados" with the
// statistics block, the noise figures and the samples as numbers and
// date-time cells, and a chart sheet "Gráfico" with the level against time.
// Written through CAtomicFile, so a failure leaves the old file as it was.
inline constexpr std::size_t kWorkbookFirstSampleRow = 13; // 0-based; the column heads are on the row before
inline constexpr std::size_t kWorkbookMaxSamples = 1048576 - kWorkbookFirstSampleRow;

// The chart's time axis for a run spanning `dSpanDays`: the clock within a
// day, date and time beyond.
const char *ChartTimeFormat(double dSpanDays);

CFileResult WriteWorkbookFile(const std::string &strPath, const CSampleArray &samples, const StatData &stat,
                              const ProgressFn &progress = {});
