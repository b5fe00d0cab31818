#pragma once

#include "files/FileResult.h"
#include "records/CivilTime.h"
#include "records/SampleArray.h"
#include "records/StatData.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

// The spreadsheet workbook export (.xlsx): a sheet "Dados" with the
// statistics block, the noise figures and the samples as numbers and
// date-time cells, and a chart sheet "Gráfico" with the level against time.
// Written through CAtomicFile, so a failure leaves the old file as it was.
inline constexpr std::size_t kWorkbookFirstSampleRow = 13; // 0-based; the column heads are on the row before
inline constexpr std::size_t kWorkbookMaxSamples = 1048576 - kWorkbookFirstSampleRow;

// A sheet of figures written after "Dados": bold heads, then rows of cells.
struct WorkbookCell {
  enum class Kind { Empty, Text, Number, DateTime };
  Kind kind = Kind::Empty;
  std::string strText;
  double dValue = 0;
  int nDecimals = 1;  // of a number
  CivilSeconds t = 0; // of a date-time
  static WorkbookCell Text(std::string s) { return {Kind::Text, std::move(s)}; }
  static WorkbookCell Number(double d, int nDecimals = 1) { return {Kind::Number, {}, d, nDecimals}; }
  static WorkbookCell DateTime(CivilSeconds t) { return {Kind::DateTime, {}, 0, 0, t}; }
};
struct WorkbookSheet {
  std::string strName;
  std::vector<std::string> heads;
  std::vector<std::vector<WorkbookCell>> rows;
};

// The chart's time axis for a run spanning `dSpanDays`: the clock within a
// day, date and time beyond.
const char *ChartTimeFormat(double dSpanDays);

CFileResult WriteWorkbookFile(const std::string &strPath, const CSampleArray &samples, const StatData &stat,
                              const ProgressFn &progress = {},
                              std::span<const WorkbookSheet> extraSheets = {});
