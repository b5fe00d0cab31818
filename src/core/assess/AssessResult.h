#pragma once

#include "records/CivilTime.h"

#include <cstddef>
#include <optional>

// One clock period [tStart, tEnd) of local time and the figures of its samples.
struct PeriodFigures {
  CivilSeconds tStart = 0, tEnd = 0;
  std::size_t nSamples = 0;
  double dCoveragePercent = 0; // measured time / period, at most 100
  double dLeq = 0, dLmax = 0, dLmin = 0;
  double dL10 = 0, dL50 = 0, dL90 = 0;
};

// A stretch at or above the threshold: from its first sample to its last
// sample at or above it, the short dips between included.
struct NoiseEvent {
  std::size_t nFirst = 0, nLast = 0; // sample indices in the series
  CivilSeconds tStart = 0, tEnd = 0; // times of those samples
  double dDurationSec = 0;           // (nLast − nFirst + 1) × interval
  double dLmax = 0, dLeq = 0, dSel = 0;
};

// The Leq of the samples whose local time falls in one part of the day.
struct DayPartFigures {
  std::size_t nSamples = 0;
  double dMeasuredSec = 0;
  double dCoveragePercent = 0; // measured / (the part's hours × days spanned)
  double dLeq = 0;             // meaningful only with samples
};

enum class DayPart { Day, Evening, Night };

struct DayEveningNight {
  DayPartFigures day, evening, night; // 07–19, 19–23, 23–07
  std::optional<double> dLden;        // only when all three have samples
};

enum class ExposureFlag { None, LowerAction, UpperAction, LimitValue }; // ≥ 80, 85, 87 dB(A)
enum class ExposureRefusal { None, NoSamples, NotAWeighted };

struct DailyExposure {
  std::optional<double> dLex8h;
  double dExposureSec = 0; // Te
  ExposureFlag flag = ExposureFlag::None;
  ExposureRefusal refusal = ExposureRefusal::None;
};

// How a series is weighted; only A-weighted data gives a daily exposure.
enum class Weighting { None, A, C, Mixed };
