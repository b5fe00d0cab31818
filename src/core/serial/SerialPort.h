#pragma once

#include "serial/SerialError.h"

#include <cstddef>
#include <string>
#include <sys/types.h>
#include <termios.h>

// Argument codes of Open, kept from the meter software's own numbering.
enum ESerialParity { PARITY_EVEN = 0, PARITY_MARK = 1, PARITY_NONE = 2, PARITY_ODD = 3, PARITY_SPACE = 4 };
enum ESerialStopBits { STOPBITS_ONE = 0, STOPBITS_ONE5 = 1, STOPBITS_TWO = 2 };
enum ESerialFlow {
  FLOW_NONE = 0,
  FLOW_CTS_RTS = 1,
  FLOW_CTS_DTR = 2,
  FLOW_DSR_RTS = 3,
  FLOW_DSR_DTR = 4,
  FLOW_XON_XOFF = 5,
};
enum ESerialPurge { PURGE_RX = 1, PURGE_TX = 2 };

// Inter-byte and minimum-count rules of a blocking read (VMIN, VTIME in 0.1 s).
struct CLineTimeouts {
  int m_nMinBytes = 0;
  int m_nIntervalDeciseconds = 0;
};

// One serial port descriptor over POSIX termios: opened exclusively, in raw
// mode and non-blocking; no buffers and no threads (CComPort drives it).
class CSerialPort {
public:
  static constexpr const char *kDefaultPortTemplate = "/dev/ttyUSB%d";

  CSerialPort() = default;
  CSerialPort(const CSerialPort &) = delete;
  CSerialPort &operator=(const CSerialPort &) = delete;
  virtual ~CSerialPort();

  // The device of port number n: the template's single %d replaced by n.
  static std::string PortDevice(const std::string &strTemplate, int nPort);

  bool Open(int nPort, int nBaud, int nParity, int nDataBits, int nStopBits, int nFlow,
            const std::string &strTemplate = kDefaultPortTemplate);
  bool Open(const std::string &strDevice, int nBaud, int nParity, int nDataBits, int nStopBits, int nFlow);
  void Close();
  bool IsOpen() const { return m_fd >= 0; }

  int Fd() const { return m_fd; }
  int PortNumber() const { return m_nPort; }
  const std::string &Device() const { return m_strDevice; }
  const CSerialError &LastError() const { return m_error; }

  // Non-blocking unless SetNonBlocking(false). Read: bytes read, 0 at end of
  // file, -1 on failure (WouldBlock when nothing is there). Write: bytes
  // written, 0 when the queue is full, -1 on failure (EIO is a hang-up).
  ssize_t Read(void *pBuf, size_t nCount);
  ssize_t Write(const void *pBuf, size_t nCount);

  bool Purge(int nFlags);
  bool GetQueueStatus(int &nInQueue, int &nOutQueue);
  bool GetTimeouts(CLineTimeouts &timeouts);
  bool SetTimeouts(const CLineTimeouts &timeouts);
  bool SetNonBlocking(bool bNonBlocking);
  bool GetState(termios &tio);
  bool SetState(const termios &tio);

private:
  bool Fail(CSerialError error); // closes: used by Open only
  bool Configure(int nBaud, int nParity, int nDataBits, int nStopBits, int nFlow);

  int m_fd = -1;
  int m_nPort = -1;
  std::string m_strDevice;
  CSerialError m_error;
};

// Builds the termios of the given settings from a raw base; false with the
// reason when Linux has no counterpart for a code.
bool BuildLineSettings(termios &tio, int nBaud, int nParity, int nDataBits, int nStopBits, int nFlow,
                       CSerialError &error);
