#include "serial/SerialError.h"

#include <cerrno>
#include <cstring>

ESerialError SerialErrorFromErrno(int nErrno) {
  switch (nErrno) {
  case 0:
    return ESerialError::None;
  case EACCES:
  case EPERM:
    return ESerialError::PermissionDenied;
  case EBUSY:
  case EWOULDBLOCK:
    return ESerialError::InUse;
  case ENOENT:
  case ENODEV:
  case ENXIO:
    return ESerialError::NoSuchDevice;
  case ENOTTY:
    return ESerialError::NotSerialDevice;
  case EIO:
  case EPIPE:
    return ESerialError::HungUp;
  case EINVAL:
    return ESerialError::SettingsRefused;
  default:
    return ESerialError::Other;
  }
}

CSerialError MakeSerialError(ESerialError eReason, int nErrno, std::string strText) {
  CSerialError e;
  e.m_eReason = eReason;
  e.m_nErrno = nErrno;
  e.m_strText = strText.empty() && nErrno != 0 ? std::strerror(nErrno) : std::move(strText);
  return e;
}

CSerialError MakeSerialErrno(int nErrno) {
  return MakeSerialError(SerialErrorFromErrno(nErrno), nErrno);
}

const char *SerialErrorName(ESerialError eReason) {
  switch (eReason) {
  case ESerialError::None:
    return "none";
  case ESerialError::PermissionDenied:
    return "permission denied";
  case ESerialError::InUse:
    return "in use";
  case ESerialError::NoSuchDevice:
    return "no such device";
  case ESerialError::NotSerialDevice:
    return "not a serial device";
  case ESerialError::SettingsRefused:
    return "settings refused";
  case ESerialError::Unsupported:
    return "unsupported setting";
  case ESerialError::HungUp:
    return "hung up";
  case ESerialError::TimedOut:
    return "timed out";
  case ESerialError::NotOpen:
    return "not open";
  case ESerialError::WouldBlock:
    return "would block";
  case ESerialError::Other:
    return "error";
  }
  return "error";
}
