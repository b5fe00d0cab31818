#include "serial/PortOpener.h"

#include "serial/OpenFailureText.h"

CPortOpener::CPortOpener(CComPort &port, NowFn now) : m_port(port), m_now(std::move(now)) {}

namespace {
// The meter's line: 9600 8N1 without flow control, read by the reader thread.
constexpr int kMode = 2, kBaud = 9600, kDataBits = 8;
} // namespace

void CPortOpener::Prepare() {
  m_port.Close();
  m_port.SetReadSize(CComPort::kMeterReadSize);
  if (m_recv)
    m_port.SetReceiveCallback(m_recv);
}

COpenResult CPortOpener::OpenDevice(const std::string &strDevice) {
  COpenResult result;
  Prepare();
  result.m_strDevice = strDevice;
  if (m_port.Open(strDevice, kMode, kBaud, PARITY_NONE, kDataBits, STOPBITS_ONE, FLOW_NONE)) {
    result.m_eOutcome = COpenResult::Opened;
    return result;
  }
  result.m_error = m_port.LastError();
  const CDeviceAccess access = result.m_error.m_eReason == ESerialError::PermissionDenied
                                   ? ProbeDeviceAccess(strDevice)
                                   : CDeviceAccess{};
  result.m_strMessage = OpenFailureReason(strDevice, result.m_error, false, access);
  return result;
}

COpenResult CPortOpener::OpenPort(int nPort) {
  COpenResult result;
  Prepare();
  result.m_strDevice = CSerialPort::PortDevice(m_port.PortTemplate(), nPort);
  if (m_port.Open(nPort, kMode, kBaud, PARITY_NONE, kDataBits, STOPBITS_ONE, FLOW_NONE)) {
    result.m_eOutcome = COpenResult::Opened;
    m_bArrival = false;
    return result;
  }
  result.m_error = m_port.LastError();
  ESerialError eReason = result.m_error.m_eReason;
  bool bTransient = eReason == ESerialError::PermissionDenied || eReason == ESerialError::InUse ||
                    eReason == ESerialError::NoSuchDevice;
  bool bInGrace = m_bArrival && m_now() - m_lastArrival < kArrivalGrace;
  if (bTransient && bInGrace) {
    result.m_eOutcome = COpenResult::RetryLater;
    result.m_nRetryMs = kRetryMs;
    return result;
  }
  // A node that discovery saw after an arrival and that is gone now vanished.
  bool bVanished = m_bArrival && eReason == ESerialError::NoSuchDevice &&
                   m_now() - m_lastArrival < kArrivalGrace + kVanishedSlack;
  m_bArrival = false;
  result.m_eOutcome = COpenResult::Failed;
  const CDeviceAccess access =
      eReason == ESerialError::PermissionDenied ? ProbeDeviceAccess(result.m_strDevice) : CDeviceAccess{};
  result.m_strMessage = OpenFailureText(nPort, result.m_strDevice, result.m_error, bVanished, access);
  return result;
}
