#pragma once

#include <cstddef>
#include <string>

class CSampleArray;

// Where the extremes start: a level must pass them to count. A monitoring
// run starts its minimum at 150 dB, a recording of the data logger at
// 130 dB; both start the maximum at 0.
struct StatStart {
  double dMax;
  double dMin;
};
inline constexpr StatStart kRunStatStart{0.0, 150.0};
inline constexpr StatStart kRecordingStatStart{0.0, 130.0};

// Statistics of one set of samples, as both windows show them; copied whole
// when handed to printing. Strict comparisons keep the earliest of equal
// extremes, so a level of 0 never becomes the maximum, nor the minimum's
// start value the minimum; an extreme that never moved has no time.
struct StatData {
  double dMax = kRunStatStart.dMax;
  double dMin = kRunStatStart.dMin;
  double dAverage = 0;
  std::string strMaxTime;
  std::string strMaxUnit;
  std::string strMinUnit;
  std::string strMinTime;
  std::string strStartTime;
  double dSum = 0;
  double dSampleRate = 0;

  // Back to the start values; the units and the sample rate are kept.
  void Reset(StatStart start = kRunStatStart);

  // Sample `i` of `samples` was just appended (the set now holds i + 1).
  // Returns which extremes changed, for the read-outs.
  struct Change {
    bool bMax = false;
    bool bMin = false;
  };
  Change AddSample(const CSampleArray &samples, std::size_t i);
};

// The statistics of a whole set, by the rules above; the rate is the first
// sample's.
StatData ComputeStatistics(const CSampleArray &samples, StatStart start);
