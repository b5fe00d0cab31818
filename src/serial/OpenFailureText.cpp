#include "serial/OpenFailureText.h"

#include <cstdio>

std::string OpenFailureReason(const std::string &strDevice, const CSerialError &error,
                              bool bVanishedAfterArrival) {
  switch (error.m_eReason) {
  case ESerialError::PermissionDenied:
    return "Permission denied on " + strDevice +
           ": add your user to the dialout group (sudo usermod -aG dialout $USER) and log in again.";
  case ESerialError::InUse:
    return "Another program holds " + strDevice + "; close it and try again.";
  case ESerialError::NoSuchDevice:
    if (bVanishedAfterArrival)
      return strDevice +
             " vanished right after it appeared; the braille display daemon (brltty) usually takes such "
             "bridges: remove or disable brltty and plug the meter in again.";
    return strDevice + " does not exist; is the meter connected?";
  case ESerialError::NotSerialDevice:
    return strDevice + " is not a serial device.";
  case ESerialError::SettingsRefused:
  case ESerialError::Unsupported:
    return strDevice + " refused the line settings" +
           (error.m_strText.empty() ? "" : ": " + error.m_strText) + ".";
  case ESerialError::HungUp:
    return strDevice + " went away while it was being opened.";
  case ESerialError::None:
  case ESerialError::TimedOut:
  case ESerialError::NotOpen:
  case ESerialError::WouldBlock:
  case ESerialError::Other:
    break;
  }
  return strDevice + ": " +
         (error.m_strText.empty() ? std::string(SerialErrorName(error.m_eReason)) : error.m_strText) + ".";
}

std::string OpenFailureText(int nPort, const std::string &strDevice, const CSerialError &error,
                            bool bVanishedAfterArrival) {
  char first[64];
  std::snprintf(first, sizeof first, "Warning:Can't open COM%d!", nPort);
  return std::string(first) + "\n" + OpenFailureReason(strDevice, error, bVanishedAfterArrival);
}
