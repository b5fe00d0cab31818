#include "serial/PortDiscovery.h"

CPortDiscovery::CPortDiscovery(EnumerateFn enumerate) : m_enumerate(std::move(enumerate)) {}

CPortDiscovery::CPortDiscovery(const std::string &strSysfsRoot)
    : m_enumerate([strSysfsRoot] { return EnumerateSerialPorts(strSysfsRoot); }) {}

std::vector<int> CPortDiscovery::FindBridgePorts() const {
  std::vector<CPortInfo> ports = m_extraPorts;
  for (CPortInfo &p : m_enumerate())
    ports.push_back(std::move(p));
  std::vector<int> found;
  for (const CPortInfo &p : ports)
    if (p.m_strDescription == kBridgeDescription && p.m_nNumber >= 0)
      found.push_back(p.m_nNumber & 0xFF);
  return found;
}
