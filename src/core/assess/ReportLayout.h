#pragma once

#include "assess/SeriesAssessment.h"
#include "lang/Translate.h"
#include "print/PageImage.h"
#include "records/SampleArray.h"

#include <string>
#include <vector>

// What the printed report says about the measurement beside the figures.
struct ReportInfo {
  std::string strTitle; // empty: "Relatório de ruído"
  std::string strPlace, strOperator, strNotes;
  std::string strSource; // where the data comes from (files, recording, live run)
};

// The report's A4 pages of W x H device pixels, text lines L high: title
// and particulars, the measured interval, the graph with the threshold and
// the events, the summary figures, then the periods and the events tables
// over as many pages as they need, each page numbered. The print dialog
// and the PDF of tarvik-report both draw these pages; the print dialog's
// pages speak the windows' language through `tr`, the PDF keeps the sources.
std::vector<PageImage> LayoutAssessmentReport(const SeriesAssessment &a, const CSampleArray &samples,
                                              const ReportInfo &info, int W, int H, int L,
                                              FTranslate tr = SourceText);

// The instrument line: the weighting and the interval of the samples.
std::string InstrumentText(const SeriesAssessment &a, const CSampleArray &samples,
                           FTranslate tr = SourceText);
