#pragma once

#include "meter/MeterReading.h"
#include "records/ObjData.h"
#include "records/StatData.h"
#include "session/RunEnd.h"

#include <cstddef>
#include <ctime>
#include <string>

// Why a download ended.
enum class EDownloadEnd {
  Complete,  // the end marker came with the recordings
  Empty,     // the meter's memory holds no recording: there is nothing to show
  Silence,   // the meter fell silent: the whole recordings so far are kept
  Watchdog,  // no end within the download watchdog: the same
  HangUp,    // the port went away: the same
  Cancelled, // the user left it: the same
  Stalled,   // no download byte for a while as live frames came: the same
};

// The port and the meter behind it.
enum class ELinkState {
  Closed,       // no port open
  Open,         // the port is open, nothing heard yet
  Sending,      // the meter is heard
  Silent,       // the port is open (or was lost) and the meter fell silent
  NoMeterFound, // discovery found no bridge
  OpenFailed,   // opening failed: strReason says why
};

struct SConnection {
  ELinkState eState = ELinkState::Closed;
  int nPort = -1;        // the port number, -1 for a port chosen by its path
  std::string strDevice; // the device path, when known
  std::string strReason; // OpenFailed: the system's reason, for the user
  bool bAutoPort = true; // ports are found by discovery
};

// How a run keeps its samples and whether the meter's absence ends it.
struct SRunOptions {
  // The samples go to the live store, up to the sample limit. Without: they
  // only reach the observers, the store and its statistics stay as they
  // are and nothing limits the run, so memory stays flat however long it
  // lasts.
  bool bKeepSamples = true;
  // The run ends when the meter falls silent, goes away or holds its
  // display. Without: it waits through all three, records nothing
  // meanwhile, and samples again once the meter is back.
  bool bEndWithMeter = true;
};

// A monitoring run as it starts.
struct SRunStart {
  double dRate = 0;       // seconds between samples
  int nIntervalMs = 0;    // the sampling period
  std::time_t tStart = 0; // calendar time of the start
  bool bWeightA = true;   // the meter's weighting at the start
  int nSampleLimit = 0;   // the run ends when the live store holds this many; 0: no limit
  SRunOptions options;
};

// One sample that a run has just taken.
struct SSample {
  const CObjData &rec;     // the record (in the live store when the run keeps its samples)
  std::size_t nCount = 0;  // samples of the run (or in the store), this one included
  const StatData &stat;    // the run's statistics after it
  StatData::Change change; // which extremes it changed
  std::size_t nMissed = 0; // samples the run missed just before this one (a gap)
};

// Everything a meter session reports. Every call is made on the session's
// thread from inside OnChunk, Advance or a command, before it returns.
// Each method has an empty default, so observers implement only what they
// use and new events break nobody.
class ISessionObserver {
public:
  virtual ~ISessionObserver() = default;

  // A live frame was decoded: the readout shows the state.
  virtual void OnFrameDecoded(const CMeterReading &) {}
  // The meter is heard again (first byte after silence or an open).
  virtual void OnMeterHeard() {}
  // The silence check found the meter quiet (repeated each check while silent).
  virtual void OnMeterSilent() {}
  virtual void OnConnectionChanged(const SConnection &) {}

  virtual void OnRunStarted(const SRunStart &) {}
  virtual void OnSampleTaken(const SSample &) {}
  virtual void OnRunEnded(ERunEnd) {} // never None
  // The live store was emptied (a clear, or a new run starting afresh).
  virtual void OnLiveCleared() {}

  // The data-logger store is about to be emptied: drop pointers into it.
  virtual void OnLogStoreChanging() {}
  // The download request went out; the header is awaited.
  virtual void OnDownloadStarted() {}
  // The header arrived and bytes come in: nPos of nUpper.
  virtual void OnDownloadProgress(int /*nUpper*/, int /*nPos*/) {}
  // The data-logger store holds what arrived (see the reason).
  virtual void OnDownloadEnded(EDownloadEnd) {}
};
