#pragma once

#include "serial/PortEnumerator.h"

#include <functional>
#include <vector>

// What the view does after a discovery event, with the timer it arms.
struct CDiscoveryStep {
  enum EAction {
    Nothing,       // no bridge found, no search pending
    OpenPort,      // arm TIMER_OPEN_PORT (m_nDelayMs) for m_nPort and start TIMER_SILENCE
    DiscoverAgain, // arm TIMER_DISCOVER (m_nDelayMs)
  };
  EAction m_eAction = Nothing;
  int m_nPort = -1;
  int m_nDelayMs = 0;
  int m_nMatches = 0; // bridges seen by the search; only the first is used
};

// Automatic port selection: searches the serial ports for the bridge's
// description and tells the view what to do next. Runs on the UI thread;
// m_bDiscovering stops searches nesting when an arrival comes in while the
// enumeration runs, and m_bRediscover turns it into one later search.
class CPortDiscovery {
public:
  using EnumerateFn = std::function<std::vector<CPortInfo>()>;
  static constexpr int kStartDelayMs = 100;   // first search after the window shows
  static constexpr int kArrivalDelayMs = 100; // search after a device arrival
  static constexpr int kRetryDelayMs = 500;   // search again after one that found nothing
  static constexpr int kOpenDelayMs = 200;    // open the port found
  static constexpr int kSilenceCheckMs = 1000;

  explicit CPortDiscovery(EnumerateFn enumerate);
  // Enumerates SYSFS/class/tty.
  explicit CPortDiscovery(const std::string &strSysfsRoot = "/sys");

  // Ports listed before the system's, such as the simulator's pseudo-terminal.
  void AddExtraPort(CPortInfo port) { m_extraPorts.push_back(std::move(port)); }
  void ClearExtraPorts() { m_extraPorts.clear(); }

  // TIMER_DISCOVER expired.
  CDiscoveryStep DiscoverPort();
  // A device arrived (message 0x404).
  CDiscoveryStep OnDeviceArrived();

  void SetAutoPort(bool bAuto) { m_bAutoPort = bAuto; }
  bool AutoPort() const { return m_bAutoPort; }
  bool Discovering() const { return m_bDiscovering; }
  bool Rediscover() const { return m_bRediscover; }
  // The port found by the last successful search (0-255), -1 before one.
  int Port() const { return m_nPort; }

private:
  EnumerateFn m_enumerate;
  std::vector<CPortInfo> m_extraPorts;
  int m_nPort = -1;
  bool m_bAutoPort = true;
  bool m_bDiscovering = false;
  bool m_bRediscover = false;
};
