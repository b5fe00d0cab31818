#pragma once

#include "meter/MeterState.h"
#include "records/AcousticStats.h"
#include "records/ExceededLevels.h"
#include "records/SampleRates.h"
#include "records/SampleStore.h"
#include "records/StatData.h"
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
std::chrono::steady_clock::duration FreshnessWindow(const CMeterState &st);
// Whether a frame was decoded within the window before `now`.
bool HasFreshReading(const CMeterState &st, SteadyTime now);

// The decisions of a monitoring run, apart from any widget: when a run may
// start, what one sampling tick does, when the meter counts as gone.
class CMonitorRun {
public:
  CMonitorRun(CSampleStore &live, CMeterState &state) : m_live(live), m_state(state) {}

  StatData m_stat;
  int m_nSampleLimit = kMaxSamples;

  bool MeterHeard() const { return m_state.m_bDataReceived; }
  bool Running() const { return m_state.m_bRunning; }
  bool HasSamples() const { return !m_live.IsEmpty(); }
  const SRunOptions &Options() const { return m_options; }
  // The last sample taken, whether or not the run keeps its samples.
  const CObjData &LastSample() const { return m_last; }

  // Statistics back to their start values and the live samples destroyed.
  void ClearSamples();
  void Start(double dRate, const SRunOptions &options = {});
  // The receive path stopped the run on the meter's HOLD; a run that does
  // not end with the meter goes on.
  bool ResumeAfterHold();
  // Parar: a run still going ends by the user's hand.
  void Stop();
  ERunEnd LastEnd() const { return m_state.m_runEnd; }

  struct Tick {
    enum class Kind { Skipped, LimitReached, Sampled } kind = Kind::Skipped;
    std::size_t nCount = 0; // samples after the tick
    StatData::Change change;
  };
  // One period of the run at local time `now` (steady time `tNow`). Without a
  // fresh reading nothing is recorded (Skipped); the run goes on until the
  // silence check. LimitReached has already ended the run. `tNow` also paces
  // the percentiles.
  Tick SampleTick(std::time_t now, SteadyTime tNow = std::chrono::steady_clock::now());
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
  // The meter is gone after 2 whole seconds without a byte. Clears the
  // presence and the download flags and ends a run that ends with the meter
  // (the caller stops its timer).
  Silence SilenceCheck(std::time_t now);
  // The download watchdog: true when a download was still going and is
  // now abandoned.
  bool LogTimeout();

private:
  void AddToNoise(const CObjData &rec, std::chrono::steady_clock::time_point tSteady);

  CSampleStore &m_live;
  CMeterState &m_state;
  SRunOptions m_options;
  double m_dRate = 0;       // of the run going or the last one
  CObjData m_last;          // of a run that keeps no samples
  std::size_t m_nTaken = 0; // samples of the run
  CLeqAccumulator m_leq;
  CUnitTally m_units;
  AcousticStats m_noise;
  CExceededLevels m_exceeded;
  std::chrono::steady_clock::time_point m_tPercentiles{};
};
