#pragma once

#include "files/ByteSink.h"
#include "files/FileResult.h"
#include "records/SampleArray.h"
#include "records/StatData.h"

#include <string>

// The tab-separated export that spreadsheet programs open: a statistics
// block, column heads, one row per sample and, after a blank line, the
// noise figures of the samples; every other line ends in TAB CR LF.
enum class SheetVariant {
  MainWindow,
  DataLogger, // its "Max" cell ends in one more blank
};

// The six lines of the statistics block and the column heads.
std::string SpreadsheetHead(const StatData &stat, SheetVariant variant);
// One sample row; `nNumber` counts from 1.
void AppendSpreadsheetRow(std::string &out, std::size_t nNumber, const CObjData &rec);

// The blank line and one "label TAB value TAB" line per noise figure, the
// samples taken `dSampleRate` seconds apart; nothing for no samples.
void AppendSpreadsheetFigures(std::string &out, const CSampleArray &samples, double dSampleRate);

bool WriteSpreadsheet(CByteSink &sink, const CSampleArray &samples, const StatData &stat,
                      SheetVariant variant, const ProgressFn &progress = {}, bool *pbCancelled = nullptr);
CFileResult WriteSpreadsheetFile(const std::string &strPath, const CSampleArray &samples,
                                 const StatData &stat, SheetVariant variant, const ProgressFn &progress = {});
