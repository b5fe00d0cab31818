#pragma once

#include "meter/LineTiming.h"
#include "meter/MeterReading.h"
#include "records/AcousticStats.h"
#include "records/ExceededLevels.h"
#include "records/SampleRates.h"
#include "records/SampleStore.h"
#include "records/StatData.h"
#include "session/RunEnd.h"
#include "session/SessionObserver.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kMaxSamples = 40000;

// A rate text as the box shows it; reading stops at the first character that
// cannot belong to a number, an unreadable text gives 0.
double RateFromText(std::string_view text);
// The sampling period: the rate in milliseconds, truncated.
int SampleIntervalMs(double dRate);
// Local time as a live sample carries it: "dd-mm-yyyy,hh:mm:ss".
std::string FormatLiveTime(std::time_t t);

// How long a decoded reading may be sampled: max(1 s, twice the meter's
// measured frame interval). Past that the level is a stale copy, not a
// measurement.
std::chrono::steady_clock::duration FreshnessWindow(const CLineTiming &st);
// Whether a frame was decoded within the window before `now`.
bool HasFreshReading(const CLineTiming &st, SteadyTime now);

// The decisions of a monitoring run, apart from any widget: when a run may
// start, what one sampling tick does, when the meter counts as gone. It
// alone holds whether a run is going and why the last one ended.
class CMonitorRun {
public:
  CMonitorRun(CSampleStore &live, const CMeterReading &reading, const CLineTiming &timing)
      : m_live(live), m_reading(reading), m_timing(timing) {}

  StatData m_stat;
  int m_nSampleLimit = kMaxSamples;

  bool MeterHeard() const { return m_reading.m_bDataReceived; }
  bool Running() const { return m_bRunning; }
  bool HasSamples() const { return !m_live.IsEmpty(); }
  const SRunOptions &Options() const { return m_options; }
  // The last sample taken, whether or not the run keeps its samples.
  const CObjData &LastSample() const { return m_last; }

  // Statistics back to their start values and the live samples destroyed.
  void ClearSamples();
  void Start(double dRate, const SRunOptions &options = {});
  // The only way a run ends: a run still going ends for `eReason` and its
  // noise figures become the whole run's. Nothing when no run is going, so
  // a later Parar does not change why a run ended.
  bool End(ERunEnd eReason);
  ERunEnd LastEnd() const { return m_lastEnd; }
  // The meter's hold signal ends a run that ends with the meter.
  bool EndsOnHold() const { return m_bRunning && m_options.bEndWithMeter; }

  struct Tick {
    enum class Kind { Skipped, LimitReached, Sampled } kind = Kind::Skipped;
    std::size_t nCount = 0;  // samples after the tick
    std::size_t nMissed = 0; // ticks the run missed just before this one
    StatData::Change change;
  };
  // One period of the run at local time `now` (steady time `tNow`). Without a
  // fresh reading nothing is recorded (Skipped); the run goes on until the
  // silence check. LimitReached: the run must end. `tNow` also paces the
  // percentiles.
  // `nMissed` ticks did not happen before this one (the session's thread
  // was held up): the samples after them start a new group of the store,
  // so the gap shows where data is missing; nothing fills it.
  Tick SampleTick(std::time_t now, SteadyTime tNow = std::chrono::steady_clock::now(),
                  std::size_t nMissed = 0);
  // Samples the run missed so far, and the group its samples go to.
  std::size_t Missed() const { return m_nMissed; }
  // Noise figures of the live samples, following every sample at a cost
  // that does not grow with the run. Only a series of more distinct levels
  // than a meter can show has its percentiles selected whole, at most every
  // kPercentilePeriod of a run and whenever a run ends.
  static constexpr std::chrono::milliseconds kPercentilePeriod{250};
  const AcousticStats &Noise() const { return m_noise; }
  std::string NoiseLeqLabel() const { return LeqLabel(m_units.Common()); }
  // Every figure from the whole store at once.
  void RefreshNoise();

  struct Silence {
    bool bSilent = false;          // the readout must show the silent meter
    bool bStopRun = false;         // a run was active and must be stopped
    bool bAbandonDownload = false; // a download must end with an error
  };
  // The meter is gone after 2 whole seconds without a byte (calendar time,
  // the last byte dated as it arrived). What must follow is the caller's.
  Silence SilenceCheck(std::time_t now, bool bDownloading) const;

private:
  void AddToNoise(const CObjData &rec, std::chrono::steady_clock::time_point tSteady);

  CSampleStore &m_live;
  const CMeterReading &m_reading;
  const CLineTiming &m_timing;
  bool m_bRunning = false;
  ERunEnd m_lastEnd = ERunEnd::None;
  SRunOptions m_options;
  double m_dRate = 0;        // of the run going or the last one
  CObjData m_last;           // of a run that keeps no samples
  std::size_t m_nTaken = 0;  // samples of the run
  std::size_t m_nMissed = 0; // ticks of the run that did not happen
  int m_nGroup = 0;          // gaps in the run so far
  CLeqAccumulator m_leq;
  CUnitTally m_units;
  AcousticStats m_noise;
  CExceededLevels m_exceeded;
  std::chrono::steady_clock::time_point m_tPercentiles{};
};
