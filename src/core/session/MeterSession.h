#pragma once

#include "meter/DownloadProgress.h"
#include "meter/LineTiming.h"
#include "meter/MeterReading.h"
#include "records/AcousticStats.h"
#include "records/SampleStore.h"
#include "records/StatData.h"
#include "session/Deadlines.h"
#include "session/MeterLink.h"
#include "session/SessionClock.h"
#include "session/SessionObserver.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// One meter session, with no window: the port (found, opened, lost and
// found again), the receive path and the meter state, downloads, the
// monitoring run with both stores, the silence check, the download
// watchdog and remote-key repetition. Its inputs are bytes (OnChunk), time
// (Advance) and the commands below, all on one thread; it reports through
// ISessionObserver. The link's reader thread never calls in: the driver
// hands each chunk over (see Env::post) and calls OnChunk itself.
class CMeterSession {
public:
  using Ms = std::chrono::milliseconds;

  // The session's timers (ids in Timers()).
  static constexpr int TIMER_SILENCE = 2;     // every second once a port is found or opened
  static constexpr int TIMER_SAMPLE = 3;      // the run's sampling period
  static constexpr int TIMER_LOG_TIMEOUT = 4; // the download watchdog
  static constexpr int TIMER_OPEN_PORT = 5;   // the delayed open, and its retries after an arrival
  static constexpr int TIMER_DISCOVER = 6;    // the next port search
  static constexpr int TIMER_LOG_REQUEST = 7; // the download request, until the header comes
  static constexpr int TIMER_KEY_FIRST = 100; // one per remote-key repetition
  static constexpr Ms kStartDiscoverDelay{100};
  static constexpr Ms kArrivalDiscoverDelay{100};
  static constexpr Ms kRetryDiscoverDelay{500};
  static constexpr Ms kOpenDelay{200};
  static constexpr Ms kSilenceCheckPeriod{1000};
  static constexpr Ms kLogTimeout{250000};

  struct Env {
    IMeterLink &link;
    CDataStores &stores;
    ISessionClock &clock;
    ISessionScheduler &scheduler;
    // Called on the link's reader thread with each chunk: hands it to the
    // session's thread, which then calls OnChunk.
    IMeterLink::ChunkHandler post;
  };

  explicit CMeterSession(Env env);
  ~CMeterSession();
  CMeterSession(const CMeterSession &) = delete;
  CMeterSession &operator=(const CMeterSession &) = delete;

  void AddObserver(ISessionObserver &observer);
  void RemoveObserver(ISessionObserver &observer);

  // --- inputs ---
  // Bytes read from the meter's port, `age` before now (a held-up thread
  // hands them late): they are dated when they came off the line.
  void OnChunk(const std::uint8_t *pData, std::size_t nSize,
               std::chrono::steady_clock::duration age = std::chrono::steady_clock::duration::zero());
  // Fires whatever is due at `now` (the clock's Now()): sampling ticks,
  // silence checks, delayed discovery and opening, key repeats, download
  // requests and the watchdog.
  void Advance(Ms now);
  // The earliest pending deadline, as last given to the scheduler.
  std::optional<Ms> NextDeadline() const;

  // --- commands ---
  // First discovery shortly after start (automatic port selection).
  void Begin();
  // Starts a run at `dRate` seconds per sample; the live store is kept, so
  // the caller clears it first (after offering to save). False when a run
  // is going, or no meter is heard for a run that ends with the meter (one
  // that waits for it may start before it is heard).
  bool StartRun(double dRate, const SRunOptions &options = {});
  void StopRun();
  // Empties the live store and resets the statistics (not during a run).
  void ClearLive();
  void SetSampleLimit(int nSamples);
  int SampleLimit() const;

  enum class EDownloadStart { Started, RunActive, MeterSilent, Busy };
  // Empties the data-logger store and asks the meter for its memory.
  EDownloadStart Download();
  // Leaves a download at once, keeping the whole recordings that arrived.
  void CancelDownload();

  // A remote key (0..5): its code goes out now and repeats until the meter
  // shows the effect. False when ignored (silent meter, closed port).
  bool PressKey(int nKey);

  // Automatic port selection: discovery now and after every arrival.
  void SetAutoPort();
  // Automatic selection off; arrivals are ignored until a port is chosen.
  void SetManualPort();
  // A port chosen by hand (automatic selection off); opened again when a
  // device arrives while it is not open.
  bool ChoosePort(int nPort);
  // A device chosen by its path, symbolic links included (automatic off).
  bool ChooseDevice(const std::string &strPath);
  // A device arrived (the window's watcher).
  void OnDeviceArrived();
  // For a program without a device watcher: every `period` while no port
  // is open, the port chosen by hand (a device path followed afresh as a
  // symbolic link) is opened again, or in automatic selection the bridge is
  // searched again; a port that failed to open or went away counts as not
  // open. Zero (the start value): arrivals alone bring a port back.
  void SetRetryPeriod(Ms period);
  // Closes the port and ends key repetitions (before the link goes away).
  void ClosePort();

  // --- state ---
  const CMeterReading &Reading() const;
  // The readout paints it; tests set readings through it.
  CMeterReading &Reading();
  const CLineTiming &Timing() const;
  CLineTiming &Timing(); // tests date readings through it
  const CDownloadProgress &Progress() const;
  // Hex text received and not yet consumed.
  const std::string &ReceiveBuffer() const;
  const CDeadlines &Timers() const;
  enum class EDownloadPhase { Idle, Requesting, Receiving };
  EDownloadPhase DownloadPhase() const;
  bool MeterHeard() const;
  bool Running() const;
  // Samples the run (or the last one) missed while the thread was held up.
  std::size_t MissedSamples() const;
  bool Downloading() const;
  bool IsAutoPort() const;
  int Port() const; // the port found or chosen, 0 before one
  const SConnection &Connection() const;
  const StatData &Stat() const;
  // The live store's statistics, for loading a recovered run.
  StatData &LiveStat();
  // Noise figures of the live samples (percentiles kept up to date at most
  // every 250 ms of a run and whenever it ends), and their Leq label.
  const AcousticStats &Noise() const;
  std::string NoiseLeqLabel() const;
  // Every noise figure from the live store at once (a recovered run).
  void RefreshNoise();
  const ISessionClock &Clock() const;
  CDataStores &Stores();

private:
  class CImpl;
  std::unique_ptr<CImpl> m_pImpl;
};
