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

CFileResult WriteWorkbookFile(const std::string &strPath, const CSampleArray &samples, const StatData &stat,
                              const ProgressFn &progress = {});
