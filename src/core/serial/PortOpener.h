#pragma once

#include "serial/ComPort.h"

#include <chrono>
#include <functional>
#include <string>

struct COpenResult {
  enum EOutcome {
    Opened,
    RetryLater, // arm TIMER_OPEN_PORT again with m_nRetryMs; nothing to show yet
    Failed,     // show m_strMessage ("Warning:Can't open COM%d!" and the reason; the reason alone for a path)
  };
  EOutcome m_eOutcome = Failed;
  int m_nRetryMs = 0;
  CSerialError m_error;
  std::string m_strDevice;
  std::string m_strMessage;
};

// OpenPort of the view: closes the port, opens number n with the meter's
// settings (mode 2, 9600, no parity, 8 data bits, one stop bit, no flow
// control) with the read size and the receive callback in place before the
// first read. Right after a device arrival the node may still belong to root
// or be held by a daemon, so failures then are retried for kArrivalGrace.
class CPortOpener {
public:
  using Clock = std::chrono::steady_clock;
  using NowFn = std::function<Clock::time_point()>;
  static constexpr std::chrono::milliseconds kArrivalGrace{2000};
  static constexpr int kRetryMs = 250;
  static constexpr std::chrono::milliseconds kVanishedSlack{2000};

  explicit CPortOpener(CComPort &port, NowFn now = Clock::now);

  // Installed on the port at every open, before the reader starts.
  void SetReceiveCallback(CComPort::RecvFn fn) { m_recv = std::move(fn); }
  // A device arrived: failed opens in the next kArrivalGrace are retried.
  void NoteArrival() {
    m_lastArrival = m_now();
    m_bArrival = true;
  }

  COpenResult OpenPort(int nPort);
  // The same for a device named by its path, a symbolic link followed
  // afresh each time; no arrival grace (the caller retries by itself).
  COpenResult OpenDevice(const std::string &strDevice);

private:
  // Closes the port and puts the read size and the callback in place.
  void Prepare();

  CComPort &m_port;
  NowFn m_now;
  CComPort::RecvFn m_recv;
  Clock::time_point m_lastArrival{};
  bool m_bArrival = false;
};
