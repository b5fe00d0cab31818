#pragma once

#include "assess/AssessResult.h"
#include "assess/AssessSettings.h"
#include "records/AcousticStats.h"
#include "records/SampleArray.h"

#include <span>
#include <vector>

// Everything an assessment says about a whole series: the run figures
// (as the windows show them), periods, events, the parts of the day and
// the daily exposure.
struct SeriesAssessment {
  AssessSettings settings;
  std::size_t nSamples = 0;
  CivilSeconds tStart = 0, tEnd = 0; // first and last sample
  double dDurationSec = 0;           // samples × interval
  Weighting weighting = Weighting::None;
  AcousticStats stats; // Leq, L10, L50, L90, SEL
  double dLmax = 0, dLmin = 0;
  std::vector<PeriodFigures> periods;
  std::vector<NoiseEvent> events; // indices count through the parts in time order
  double dTimeAboveSec = 0;
  DayEveningNight den;
  DailyExposure exposure;
};

// One pass over the samples, in the order they stand.
SeriesAssessment AssessSeries(const CSampleArray &samples, const AssessSettings &settings);
// Several series (files) as one, put in time order by their first samples;
// the time between them is a gap. `order` receives the order taken.
SeriesAssessment AssessSeries(std::span<const CSampleArray> parts, const AssessSettings &settings,
                              std::vector<std::size_t> *order = nullptr);
// The order of `parts` by the time of their first samples (empty ones last).
std::vector<std::size_t> TimeOrder(std::span<const CSampleArray> parts);
