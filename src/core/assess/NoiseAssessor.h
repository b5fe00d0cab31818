#pragma once

#include "assess/AssessResult.h"
#include "assess/AssessSettings.h"
#include "assess/LevelEnergy.h"
#include "assess/PeriodLevels.h"

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

// Periods, events, time above the threshold and the parts of the day of a
// series fed one sample at a time, in time order: a live run as it grows
// or a whole recording in one pass. Each sample costs O(1) but for the
// period that it closes (linear in that period's samples).
//
// Gaps are not samples: when a sample's time lies more than its interval
// and a second (times are whole seconds) after the one before, or before
// it, the open event ends at the gap.
class CNoiseAssessor {
public:
  explicit CNoiseAssessor(const AssessSettings &settings);

  // What a sample changed, as flags (one word: it comes back in a register).
  struct Change {
    enum : unsigned { kEventOpened = 1, kEventClosed = 2, kPeriodClosed = 4 };
    unsigned nFlags = 0;
    bool EventOpened() const { return nFlags & kEventOpened; }
    // Ended; kept only when long enough (see Events).
    bool EventClosed() const { return nFlags & kEventClosed; }
    bool PeriodClosed() const { return nFlags & kPeriodClosed; }
  };
  Change Add(double dLevel, CivilSeconds t, double dRateSec);
  // Samples in a row sharing an interval; a time of kNoClockSeconds (kept
  // as a text no layout reads) stays at the one before.
  void AddRun(std::span<const double> levels, std::span<const CivilSeconds> times, double dRateSec);
  // The data ended: closes the open period and the open event.
  Change Finish();
  // A gap begins now (the meter went away): the open event ends at its last
  // sample at or above, without waiting for the next sample's time.
  Change EndEventAtGap();

  const AssessSettings &Settings() const { return m_settings; }
  std::size_t Count() const { return m_nCount; }
  double MeasuredSec() const { return m_dMeasuredSec; }
  double TimeAboveSec() const { return m_dAboveSec; }
  CivilSeconds FirstTime() const { return m_tFirst; }
  CivilSeconds LastTime() const { return m_tLast; }
  double Lmax() const { return m_dMax; }
  double Lmin() const { return m_dMin; }

  // Forgets the closed periods and kept events (a feed that hands each on
  // once, as it closes, keeps none over a run of months).
  void DropClosed() {
    m_periods.clear();
    m_events.clear();
  }

  const std::vector<PeriodFigures> &Periods() const { return m_periods; }
  // The period being filled; O(its samples) for the exceeded levels.
  std::optional<PeriodFigures> OpenPeriod() const;
  const std::vector<NoiseEvent> &Events() const { return m_events; }
  struct OpenEventState {
    std::size_t nFirst = 0;
    CivilSeconds tStart = 0;
    double dLmax = 0;
    bool bAbove = true;       // false while it waits out the release time
    double dDurationSec = 0;  // so far: start .. last sample at or above
    bool bLongEnough = false; // kept if it ended now (the minimum duration reached)
  };
  std::optional<OpenEventState> OpenEvent() const;
  DayEveningNight DayParts() const;

private:
  struct EnergySum {
    std::size_t n = 0;
    double dSum = 0, dSec = 0;
    void Add(double e, double dRate) {
      ++n;
      dSum += e;
      dSec += dRate;
    }
  };
  struct OpenEventData {
    std::size_t nFirst = 0, nLast = 0;
    CivilSeconds tStart = 0, tEnd = 0;
    EnergySum sum;     // start .. last sample at or above
    EnergySum pending; // below, since the last at or above
    double dLmax = 0;
  };

  bool CloseEvent();
  void ClosePeriod();
  void PlaceDayPart(CivilSeconds t);

  AssessSettings m_settings;
  const CLevelEnergy *m_pEnergy;
  std::size_t m_nCount = 0;
  double m_dMeasuredSec = 0, m_dAboveSec = 0;
  CivilSeconds m_tFirst = 0, m_tLast = 0;
  double m_dLastRate = 0;
  double m_dMax = 0, m_dMin = 0;

  std::vector<PeriodFigures> m_periods;
  std::optional<CivilSeconds> m_tPeriod; // start of the open period
  EnergySum m_periodSum;
  double m_dPeriodMax = 0, m_dPeriodMin = 0;
  CPeriodLevels m_periodLevels;

  std::vector<NoiseEvent> m_events;
  std::optional<OpenEventData> m_open;

  EnergySum m_parts[3]; // by DayPart
  CivilSeconds m_tPartFrom = 1, m_tPartTo = 0;
  int m_nPart = 0;
};
