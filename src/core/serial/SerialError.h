#pragma once

#include <string>

// Why a port operation failed, as a value the UI turns into a message.
enum class ESerialError {
  None,
  PermissionDenied, // the node's mode or group refuses us (EACCES, EPERM)
  InUse,            // another descriptor holds the lock or TIOCEXCL (EBUSY, EWOULDBLOCK)
  NoSuchDevice,     // no node, or a node without a device behind it (ENOENT, ENODEV, ENXIO)
  NotSerialDevice,  // the node is not a terminal (ENOTTY)
  SettingsRefused,  // the driver refused or silently altered the line settings
  Unsupported,      // a setting Linux has no counterpart for (1.5 stop bits, DSR/DTR flow)
  HungUp,           // the device went away while open (EIO, POLLHUP)
  TimedOut,         // a bounded write could not get its bytes out in time
  NotOpen,
  WouldBlock, // a non-blocking read found nothing (EAGAIN); not a failure of the port
  Other,
};

struct CSerialError {
  ESerialError m_eReason = ESerialError::None;
  int m_nErrno = 0;
  std::string m_strText; // strerror or our own explanation, for logs and messages
};

// Maps an errno from open/read/write to the reason the user is told.
ESerialError SerialErrorFromErrno(int nErrno);
CSerialError MakeSerialError(ESerialError eReason, int nErrno, std::string strText = {});
CSerialError MakeSerialErrno(int nErrno);
const char *SerialErrorName(ESerialError eReason);
