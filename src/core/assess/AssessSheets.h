#pragma once

#include "assess/SeriesAssessment.h"
#include "files/WorkbookFile.h"

#include <vector>

// The sheets "Períodos", "Eventos" and "Resumo" the workbook export gains.
std::vector<WorkbookSheet> AssessmentSheets(const SeriesAssessment &a);
