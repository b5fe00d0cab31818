#pragma once

#include "protocol/LogParser.h"
#include "protocol/ReceivePath.h"
#include "records/SampleStore.h"
#include "serial/ComPort.h"
#include "serial/PortDiscovery.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// What the logger hears from the meter.
class IMeterFeedObserver {
public:
  virtual ~IMeterFeedObserver() = default;
  virtual void OnMeterFound(const std::string &strDevice) = 0;
  virtual void OnMeterLost(const std::string &strWhy) = 0;
  virtual void OnWaiting(const std::string &strWhat) = 0;
  // A sampling tick found a fresh reading.
  virtual void OnSample(std::chrono::system_clock::time_point now, const CMeterState &state) = 0;
  virtual void OnDownloadProgress(int /*nBytes*/, int /*nTotal*/) {}
};

// The meter for the logger: finds and opens its port (a given device path,
// symbolic links included, or the first bridge discovery lists), feeds the
// chunks through the receive path, samples the current reading on the
// rate's ticks (only while it is fresh, as a monitoring run does),
// notices silence and hang-ups, and opens the port again when the device
// is back. Everything but the port's reader runs on the caller's thread:
// the reader only queues chunks and wakes the caller's poll through
// WakeFd().
class CMeterFeed : private IReceiveSink {
public:
  using SteadyClock = std::chrono::steady_clock;
  using WallClock = std::function<std::chrono::system_clock::time_point()>;
  static constexpr std::chrono::milliseconds kReopenEvery{1000};
  static constexpr std::chrono::seconds kSilence{2};
  static constexpr std::chrono::seconds kDownloadWatchdog{250};

  struct CSetup {
    std::string strDevice;       // empty: discovery
    std::string strPortTemplate; // numbered ports; empty: the serial layer's default
    std::string strSysfsRoot = "/sys";
    double dRate = 1.0;
    WallClock wallClock = [] { return std::chrono::system_clock::now(); };
  };

  CMeterFeed(CSetup setup, IMeterFeedObserver &observer);
  ~CMeterFeed() override;

  // Readable when the port's reader has queued chunks or a hang-up.
  int WakeFd() const { return m_wakeFd; }
  // Handles queued chunks and whatever is due at `now`.
  void Advance(SteadyClock::time_point now);
  SteadyClock::time_point NextDeadline() const;

  // Switches to fetching the data-logger memory; Advance then drives the
  // request and the watchdog. DownloadDone() once it ended.
  void BeginDownload();
  bool DownloadDone() const { return m_eDownload == EDownload::Done; }
  bool DownloadFailed() const { return m_bDownloadFailed; }
  const CSampleStore &Downloaded() const { return m_downloaded; }

  bool IsOpen() const { return m_port.IsOpen(); }
  const CMeterState &State() const { return m_path.State(); }

private:
  void TryOpen(SteadyClock::time_point now);
  void ClosePort();
  void DrainChunks();
  void Sample(SteadyClock::time_point now);
  void DownloadStep(SteadyClock::time_point now);
  std::time_t WallSeconds() const;

  // IReceiveSink
  void OnHoldSignal() override {}
  void OnDownloadEnded() override;
  void OnDownloadProgress(int nUpper, int nStep, int nPos) override;
  void OnReadoutRefresh() override {}
  void OnDownloadText(const std::string &strText) override;

  CSetup m_setup;
  IMeterFeedObserver &m_observer;
  CComPort m_port;
  CPortDiscovery m_discovery;
  CReceivePath m_path;
  std::string m_strDevice; // the device open now
  int m_wakeFd = -1;

  std::mutex m_mutex; // chunks from the reader thread
  std::vector<std::uint8_t> m_pending;
  std::vector<std::uint8_t> m_taking;
  std::atomic<bool> m_bHungUp{false};
  std::string m_strHangup;

  SteadyClock::time_point m_nextOpen{};
  SteadyClock::time_point m_nextTick{};
  SteadyClock::time_point m_lastBytes{};
  std::chrono::nanoseconds m_tickPeriod;
  bool m_bHeard = false;

  enum class EDownload { None, Requesting, Receiving, Done } m_eDownload = EDownload::None;
  SteadyClock::time_point m_downloadStart{};
  SteadyClock::time_point m_nextRequest{};
  bool m_bDownloadFailed = false;
  CLogDecodeState m_logDecode;
  CSampleStore m_downloaded;
};
