#include "serial/PortDiscovery.h"

CPortDiscovery::CPortDiscovery(EnumerateFn enumerate) : m_enumerate(std::move(enumerate)) {}

CPortDiscovery::CPortDiscovery(const std::string &strSysfsRoot)
    : m_enumerate([strSysfsRoot] { return EnumerateSerialPorts(strSysfsRoot); }) {}

CDiscoveryStep CPortDiscovery::DiscoverPort() {
  CDiscoveryStep step;
  if (m_bDiscovering)
    return step;
  m_bDiscovering = true;

  std::vector<CPortInfo> ports = m_extraPorts;
  for (auto &p : m_enumerate())
    ports.push_back(std::move(p));
  int nFound = -1;
  for (const auto &p : ports) {
    if (p.m_strDescription != kBridgeDescription || p.m_nNumber < 0)
      continue;
    if (step.m_nMatches++ == 0)
      nFound = p.m_nNumber;
  }

  if (step.m_nMatches > 0) {
    m_nPort = nFound & 0xFF; // the view keeps it in one byte
    m_bRediscover = false;   // the arrival is served by this search's result
    step.m_eAction = CDiscoveryStep::OpenPort;
    step.m_nPort = m_nPort;
    step.m_nDelayMs = kOpenDelayMs;
  } else if (m_bRediscover) {
    m_bRediscover = false;
    step.m_eAction = CDiscoveryStep::DiscoverAgain;
    step.m_nDelayMs = kRetryDelayMs;
  }
  m_bDiscovering = false;
  return step;
}

CDiscoveryStep CPortDiscovery::OnDeviceArrived() {
  CDiscoveryStep step;
  if (!m_bAutoPort)
    return step;
  if (m_bDiscovering) {
    m_bRediscover = true;
    return step;
  }
  m_bRediscover = false;
  step.m_eAction = CDiscoveryStep::DiscoverAgain;
  step.m_nDelayMs = kArrivalDelayMs;
  return step;
}
