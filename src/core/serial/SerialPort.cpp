#include "serial/SerialPort.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

speed_t BaudConstant(int nBaud) {
  switch (nBaud) {
  case 1200:
    return B1200;
  case 2400:
    return B2400;
  case 4800:
    return B4800;
  case 9600:
    return B9600;
  case 19200:
    return B19200;
  case 38400:
    return B38400;
  case 57600:
    return B57600;
  case 115200:
    return B115200;
  case 230400:
    return B230400;
  default:
    return B0;
  }
}

// The flags we set and must find again when the settings are read back.
constexpr tcflag_t kCheckedCflags = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | CREAD | CLOCAL;
constexpr tcflag_t kCheckedIflags = IXON | IXOFF | ICRNL | INLCR | IGNCR | ISTRIP;
constexpr tcflag_t kCheckedLflags = ICANON | ECHO | ISIG | IEXTEN;

} // namespace

bool BuildLineSettings(termios &tio, int nBaud, int nParity, int nDataBits, int nStopBits, int nFlow,
                       CSerialError &error) {
  cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  tio.c_cflag &= ~(PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | CSIZE);
  tio.c_iflag &= ~(IXON | IXOFF | IXANY);

  speed_t speed = BaudConstant(nBaud);
  if (speed == B0) {
    error = MakeSerialError(ESerialError::Unsupported, EINVAL, "baud rate " + std::to_string(nBaud));
    return false;
  }
  cfsetispeed(&tio, speed);
  cfsetospeed(&tio, speed);

  switch (nDataBits) {
  case 5:
    tio.c_cflag |= CS5;
    break;
  case 6:
    tio.c_cflag |= CS6;
    break;
  case 7:
    tio.c_cflag |= CS7;
    break;
  case 8:
    tio.c_cflag |= CS8;
    break;
  default:
    error = MakeSerialError(ESerialError::Unsupported, EINVAL, std::to_string(nDataBits) + " data bits");
    return false;
  }

  switch (nParity) {
  case PARITY_NONE:
    break;
  case PARITY_EVEN:
    tio.c_cflag |= PARENB;
    break;
  case PARITY_ODD:
    tio.c_cflag |= PARENB | PARODD;
    break;
  case PARITY_MARK:
    tio.c_cflag |= PARENB | CMSPAR | PARODD;
    break;
  case PARITY_SPACE:
    tio.c_cflag |= PARENB | CMSPAR;
    break;
  default:
    error = MakeSerialError(ESerialError::Unsupported, EINVAL, "parity code " + std::to_string(nParity));
    return false;
  }

  switch (nStopBits) {
  case STOPBITS_ONE:
    break;
  case STOPBITS_TWO:
    tio.c_cflag |= CSTOPB;
    break;
  case STOPBITS_ONE5:
    error = MakeSerialError(ESerialError::Unsupported, EINVAL, "one and a half stop bits");
    return false;
  default:
    error = MakeSerialError(ESerialError::Unsupported, EINVAL, "stop-bit code " + std::to_string(nStopBits));
    return false;
  }

  switch (nFlow) {
  case FLOW_NONE:
    break;
  case FLOW_CTS_RTS:
    tio.c_cflag |= CRTSCTS;
    break;
  case FLOW_XON_XOFF:
    tio.c_iflag |= IXON | IXOFF;
    tio.c_cc[VSTART] = 0x11;
    tio.c_cc[VSTOP] = 0x13;
    break;
  case FLOW_CTS_DTR:
  case FLOW_DSR_RTS:
  case FLOW_DSR_DTR:
    error = MakeSerialError(ESerialError::Unsupported, EINVAL, "DSR/DTR flow control");
    return false;
  default:
    error = MakeSerialError(ESerialError::Unsupported, EINVAL, "flow-control code " + std::to_string(nFlow));
    return false;
  }
  // VMIN 0 would make an empty non-blocking read return 0, which means end of file.
  tio.c_cc[VMIN] = 1;
  tio.c_cc[VTIME] = 0;
  return true;
}

CSerialPort::~CSerialPort() {
  Close();
}

std::string CSerialPort::PortDevice(const std::string &strTemplate, int nPort) {
  std::string strOut;
  bool bDone = false;
  for (size_t i = 0; i < strTemplate.size(); ++i) {
    if (!bDone && strTemplate[i] == '%' && i + 1 < strTemplate.size() && strTemplate[i + 1] == 'd') {
      strOut += std::to_string(nPort);
      bDone = true;
      ++i;
    } else {
      strOut += strTemplate[i];
    }
  }
  return strOut;
}

bool CSerialPort::Open(int nPort, int nBaud, int nParity, int nDataBits, int nStopBits, int nFlow,
                       const std::string &strTemplate) {
  bool bOk = Open(PortDevice(strTemplate, nPort), nBaud, nParity, nDataBits, nStopBits, nFlow);
  m_nPort = nPort;
  return bOk;
}

bool CSerialPort::Open(const std::string &strDevice, int nBaud, int nParity, int nDataBits, int nStopBits,
                       int nFlow) {
  Close();
  m_error = {};
  m_strDevice = strDevice;
  m_nPort = -1;

  // Refuse impossible settings before touching the device.
  termios wanted{};
  CSerialError settingsError;
  if (!BuildLineSettings(wanted, nBaud, nParity, nDataBits, nStopBits, nFlow, settingsError))
    return Fail(settingsError);

  int fd;
  do {
    fd = ::open(strDevice.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0)
    return Fail(MakeSerialErrno(errno));
  m_fd = fd;

  // flock also stops root, whom TIOCEXCL lets through.
  if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
    int e = errno;
    return Fail(e == EWOULDBLOCK ? MakeSerialError(ESerialError::InUse, e, "another program holds the port")
                                 : MakeSerialErrno(e));
  }
  if (::ioctl(m_fd, TIOCEXCL) != 0 && errno != ENOTTY && errno != EINVAL)
    return Fail(MakeSerialErrno(errno));

  if (!Configure(nBaud, nParity, nDataBits, nStopBits, nFlow))
    return false;
  // Bytes that arrived before the open are not the meter's answer to us.
  ::tcflush(m_fd, TCIOFLUSH);
  return true;
}

bool CSerialPort::Configure(int nBaud, int nParity, int nDataBits, int nStopBits, int nFlow) {
  termios tio{};
  if (::tcgetattr(m_fd, &tio) != 0) {
    int e = errno;
    return Fail(e == ENOTTY || e == EINVAL ? MakeSerialError(ESerialError::NotSerialDevice, e,
                                                             m_strDevice + " is not a serial device")
                                           : MakeSerialErrno(e));
  }
  CSerialError error;
  if (!BuildLineSettings(tio, nBaud, nParity, nDataBits, nStopBits, nFlow, error))
    return Fail(error);
  if (::tcsetattr(m_fd, TCSANOW, &tio) != 0)
    return Fail(MakeSerialError(ESerialError::SettingsRefused, errno));

  // tcsetattr succeeds when any one change took; compare what we asked for.
  termios back{};
  if (::tcgetattr(m_fd, &back) != 0)
    return Fail(MakeSerialError(ESerialError::SettingsRefused, errno));
  bool bSame = (back.c_cflag & kCheckedCflags) == (tio.c_cflag & kCheckedCflags) &&
               (back.c_iflag & kCheckedIflags) == (tio.c_iflag & kCheckedIflags) &&
               (back.c_lflag & kCheckedLflags) == (tio.c_lflag & kCheckedLflags) &&
               (back.c_oflag & OPOST) == (tio.c_oflag & OPOST) && cfgetispeed(&back) == cfgetispeed(&tio) &&
               cfgetospeed(&back) == cfgetospeed(&tio);
  if (!bSame)
    return Fail(
        MakeSerialError(ESerialError::SettingsRefused, 0, "the driver did not keep the line settings"));
  return true;
}

bool CSerialPort::Fail(CSerialError error) {
  m_error = std::move(error);
  // Only Open fails through here: a failed open leaves the port closed.
  Close();
  return false;
}

void CSerialPort::Close() {
  if (m_fd >= 0) {
    ::close(m_fd); // also drops the flock
    m_fd = -1;
  }
}

ssize_t CSerialPort::Read(void *pBuf, size_t nCount) {
  if (m_fd < 0) {
    m_error = MakeSerialError(ESerialError::NotOpen, EBADF);
    return -1;
  }
  ssize_t n;
  do {
    n = ::read(m_fd, pBuf, nCount);
  } while (n < 0 && errno == EINTR);
  if (n < 0) {
    m_error = errno == EAGAIN ? MakeSerialError(ESerialError::WouldBlock, EAGAIN) : MakeSerialErrno(errno);
    return -1;
  }
  return n;
}

ssize_t CSerialPort::Write(const void *pBuf, size_t nCount) {
  if (m_fd < 0) {
    m_error = MakeSerialError(ESerialError::NotOpen, EBADF);
    return -1;
  }
  ssize_t n;
  do {
    n = ::write(m_fd, pBuf, nCount);
  } while (n < 0 && errno == EINTR);
  if (n < 0) {
    if (errno == EAGAIN)
      return 0;
    m_error = MakeSerialErrno(errno);
    return -1;
  }
  return n;
}

bool CSerialPort::Purge(int nFlags) {
  if (m_fd < 0)
    return false;
  int nQueue = (nFlags & PURGE_RX) && (nFlags & PURGE_TX) ? TCIOFLUSH
               : (nFlags & PURGE_RX)                      ? TCIFLUSH
                                                          : TCOFLUSH;
  if (!(nFlags & (PURGE_RX | PURGE_TX)))
    return true;
  if (::tcflush(m_fd, nQueue) != 0) {
    m_error = MakeSerialErrno(errno);
    return false;
  }
  return true;
}

bool CSerialPort::GetQueueStatus(int &nInQueue, int &nOutQueue) {
  nInQueue = nOutQueue = 0;
  if (m_fd < 0)
    return false;
  if (::ioctl(m_fd, FIONREAD, &nInQueue) != 0 || ::ioctl(m_fd, TIOCOUTQ, &nOutQueue) != 0) {
    m_error = MakeSerialErrno(errno);
    return false;
  }
  return true;
}

bool CSerialPort::GetTimeouts(CLineTimeouts &timeouts) {
  termios tio{};
  if (!GetState(tio))
    return false;
  timeouts.m_nMinBytes = tio.c_cc[VMIN];
  timeouts.m_nIntervalDeciseconds = tio.c_cc[VTIME];
  return true;
}

bool CSerialPort::SetTimeouts(const CLineTimeouts &timeouts) {
  termios tio{};
  if (!GetState(tio))
    return false;
  if (timeouts.m_nMinBytes < 0 || timeouts.m_nMinBytes > 255 || timeouts.m_nIntervalDeciseconds < 0 ||
      timeouts.m_nIntervalDeciseconds > 255) {
    m_error = MakeSerialError(ESerialError::SettingsRefused, EINVAL, "VMIN and VTIME are 0 to 255");
    return false;
  }
  tio.c_cc[VMIN] = static_cast<cc_t>(timeouts.m_nMinBytes);
  tio.c_cc[VTIME] = static_cast<cc_t>(timeouts.m_nIntervalDeciseconds);
  return SetState(tio);
}

bool CSerialPort::SetNonBlocking(bool bNonBlocking) {
  if (m_fd < 0)
    return false;
  int nFlags = ::fcntl(m_fd, F_GETFL);
  if (nFlags < 0 || ::fcntl(m_fd, F_SETFL, bNonBlocking ? nFlags | O_NONBLOCK : nFlags & ~O_NONBLOCK) != 0) {
    m_error = MakeSerialErrno(errno);
    return false;
  }
  return true;
}

bool CSerialPort::GetState(termios &tio) {
  if (m_fd < 0) {
    m_error = MakeSerialError(ESerialError::NotOpen, EBADF);
    return false;
  }
  if (::tcgetattr(m_fd, &tio) != 0) {
    m_error = MakeSerialErrno(errno);
    return false;
  }
  return true;
}

bool CSerialPort::SetState(const termios &tio) {
  if (m_fd < 0) {
    m_error = MakeSerialError(ESerialError::NotOpen, EBADF);
    return false;
  }
  if (::tcsetattr(m_fd, TCSANOW, &tio) != 0) {
    m_error = MakeSerialError(ESerialError::SettingsRefused, errno);
    return false;
  }
  return true;
}
