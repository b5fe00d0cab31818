#pragma once

#include "assess/AssessResult.h"

#include <string_view>

// The weighting all units of a series share ("dBA", "dBC"); empty for none or mixed.
Weighting WeightingOfUnit(std::string_view strCommonUnit, bool bAnySample);

// LEX,8h = LAeq,Te + 10·log10(Te / 8 h) of an A-weighted series. The flag
// compares the level as it is shown (one decimal), so a shown 85.0 is 85.
DailyExposure DailyExposureOf(double dLaeq, double dExposureSec, Weighting weighting);

// Lden of the three parts' levels, with the 5 and 10 dB penalties.
double DayEveningNightLevel(double dLday, double dLevening, double dLnight);
