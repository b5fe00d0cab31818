#pragma once

#include "assess/SeriesAssessment.h"

#include <string>

// The whole series' figures as one JSON object: samples, start, end,
// duration_s, weighting, leq, lmax, lmin, l10, l50, l90, sel, lex_8h, lday,
// levening, lnight, lden, events, time_above_s; null where not defined.
// Levels carry one decimal, as the windows show them.
std::string AssessmentJson(const SeriesAssessment &a);

// One period with the fields and decimals of its CSV line.
std::string PeriodJson(const PeriodFigures &p);
// An event as it begins: {"state":"start","start":...,"threshold":...,"lmax":...}
// (lmax so far), and as it ends: {"state":"end"} with its CSV line's fields.
std::string EventStartJson(CivilSeconds tStart, double dThreshold, double dLmaxSoFar);
std::string EventEndJson(const NoiseEvent &e);
