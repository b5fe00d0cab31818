#pragma once

#include "assess/AssessSettings.h"

#include <string>
#include <vector>

// What tarvik-report was asked to do, from its command line.
struct CReportOptions {
  AssessSettings settings;
  std::string strCsvPeriods; // --csv-periods FILE
  std::string strCsvEvents;  // --csv-events FILE
  bool bJson = false;        // --json
  std::string strPdf;        // --pdf FILE
  std::string strTitle, strPlace, strOperator, strNotes;
  std::vector<std::string> files;
  bool bHelp = false;
  bool bVersion = false;

  // No output asked for: a readable summary goes to standard output.
  bool SummaryOnly() const {
    return strCsvPeriods.empty() && strCsvEvents.empty() && !bJson && strPdf.empty();
  }
};

struct CReportOptionsResult {
  CReportOptions options;
  std::string strError; // non-empty: a usage error (exit code 2)
  bool Ok() const { return strError.empty(); }
};

CReportOptionsResult ParseReportOptions(int argc, const char *const *argv);
std::string ReportUsage();

enum ReportExit { kReportDone = 0, kReportUsage = 2, kReportNoSamples = 3, kReportOutput = 4 };
