#pragma once

#include "assess/ReportLayout.h"
#include "print/PrintCommands.h"

// "Imprimir relatório": the report's pages through the print dialog, laid
// out as tarvik-report --pdf lays them out.
PrintOutcome PrintAssessmentReport(const SeriesAssessment &a, const CSampleArray &samples,
                                   const ReportInfo &info, const PrintHost &host);
