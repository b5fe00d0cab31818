#pragma once

#include "assess/SeriesAssessment.h"

#include <string>

// The whole series' figures as one JSON object: samples, start, end,
// duration_s, weighting, leq, lmax, lmin, l10, l50, l90, sel, lex_8h, lday,
// levening, lnight, lden, events, time_above_s; null where not defined.
// Levels carry one decimal, as the windows show them.
std::string AssessmentJson(const SeriesAssessment &a);
