#pragma once

#include "assess/SeriesAssessment.h"

#include <string>
#include <vector>

// The readable summary tarvik-report prints when no output is asked for.
// `files` are the file names in the order the series took them.
std::string ReportSummary(const SeriesAssessment &a, const std::vector<std::string> &files);
