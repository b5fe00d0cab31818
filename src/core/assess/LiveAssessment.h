#pragma once

#include "assess/NoiseAssessor.h"
#include "assess/SeriesAssessment.h"
#include "records/AcousticStats.h"
#include "records/SampleArray.h"

#include <cstdint>

// The assessment of a set of samples that grows (a monitoring run) or is
// chosen (a recording): Update feeds only the samples not yet fed, so a
// live run costs O(1) per new sample. It starts over when the set is
// another, shrank, or its store changed other than by growing.
class CLiveAssessment {
public:
  explicit CLiveAssessment(const AssessSettings &settings = {});

  // New settings: everything is worked out again at the next Update.
  void SetSettings(const AssessSettings &settings);
  const AssessSettings &Settings() const { return m_assessor.Settings(); }
  // Feeds what is new; `bFinished`: no more samples come (a recording),
  // so the open period and event are closed.
  CNoiseAssessor::Change Update(const CSampleArray &samples, bool bFinished = false);
  void Restart();

  const CNoiseAssessor &Assessor() const { return m_assessor; }
  // The figures so far: the open period is listed last, open events are not
  // (they have no end yet); the run's Leq from the energies, without the
  // exceeded levels (worked out only by AssessSeries).
  SeriesAssessment Snapshot() const;

private:
  CNoiseAssessor m_assessor;
  CUnitTally m_units;
  double m_dEnergy = 0;
  std::size_t m_nFed = 0;
  const void *m_pSource = nullptr;
  std::uint64_t m_nRevision = 0;
  bool m_bFinished = false;
};
