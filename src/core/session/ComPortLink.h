#pragma once

#include "serial/ComPort.h"
#include "serial/PortDiscovery.h"
#include "serial/PortOpener.h"
#include "session/MeterLink.h"

#include <string>

// The link to a real meter: sysfs discovery of the bridge, opening (by
// number or device path) through the reader thread with the meter's
// settings, and writes.
class CComPortLink : public IMeterLink {
public:
  explicit CComPortLink(const std::string &strSysfsRoot = "/sys");
  ~CComPortLink() override { m_port.Close(); }

  CComPort &Port() { return m_port; }
  // Ports listed before the system's (the simulator's pseudo-terminal).
  CPortDiscovery &Discovery() { return m_discovery; }

  std::vector<int> FindBridgePorts() override;
  OpenResult Open(int nPort, ChunkHandler onChunk) override;
  OpenResult OpenPath(const std::string &strPath, ChunkHandler onChunk) override;
  void Close() override { m_port.Close(); }
  bool Write(const std::uint8_t *pData, std::size_t nSize) override;
  void NoteArrival() override { m_opener.NoteArrival(); }
  bool IsOpen() const override { return m_port.IsOpen() && !m_port.IsHungUp(); }
  std::string PortDevice(int nPort) const override {
    return CSerialPort::PortDevice(m_port.PortTemplate(), nPort);
  }

private:
  void SetHandler(ChunkHandler onChunk);

  CComPort m_port;
  CPortDiscovery m_discovery;
  CPortOpener m_opener;
};
