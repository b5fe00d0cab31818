#pragma once

#include "serial/PortEnumerator.h"

#include <functional>
#include <vector>

// Finds the meter's bridge among the serial ports by its description. When
// and how often to search, and which port to open, is the meter session's
// business.
class CPortDiscovery {
public:
  using EnumerateFn = std::function<std::vector<CPortInfo>()>;

  explicit CPortDiscovery(EnumerateFn enumerate);
  // Enumerates SYSFS/class/tty.
  explicit CPortDiscovery(const std::string &strSysfsRoot = "/sys");

  // Ports listed before the system's, such as the simulator's pseudo-terminal.
  void AddExtraPort(CPortInfo port) { m_extraPorts.push_back(std::move(port)); }
  void ClearExtraPorts() { m_extraPorts.clear(); }

  // The numbers of every bridge listed, in order, each kept in one byte as
  // the meter's port number.
  std::vector<int> FindBridgePorts() const;

private:
  EnumerateFn m_enumerate;
  std::vector<CPortInfo> m_extraPorts;
};
