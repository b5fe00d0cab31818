#include "serial/OpenFailureText.h"

#include <cstdio>

namespace {

std::string ModeText(unsigned nMode) {
  char text[8];
  std::snprintf(text, sizeof text, "%04o", nMode & 07777);
  return text;
}

// The udev rule first (it needs no new login); a group only where joining it
// can help: a root-owned 0600 node opens for no group at all.
std::string PermissionAdvice(const std::string &strDevice, const CDeviceAccess &access) {
  std::string text = "Permission denied on " + strDevice;
  if (access.m_bKnown)
    text += " (owner " + std::string(access.m_nUid == 0 ? "root" : "uid " + std::to_string(access.m_nUid)) +
            ", group " + access.m_strGroup + ", mode " + ModeText(access.m_nMode) + ")";
  if (access.m_bRuleInstalled)
    text += std::string(": the udev rule ") + kUdevRuleName +
            " is installed but has not been applied to this device; unplug the meter and plug it in again "
            "(the rule serves the user logged in at the computer itself)";
  else
    text += std::string(": install the udev rule ") + kUdevRuleName +
            " (the Tarvik package does) and plug the meter in again";
  if (access.m_bKnown && access.GroupCanOpen() && access.m_bGroupPending)
    return text + "; or else log out and in again: your user joined the " + access.m_strGroup +
           " group after this login began.";
  if (!access.m_bKnown || access.GroupCanOpen()) {
    const std::string strGroup = access.m_bKnown ? access.m_strGroup : "dialout";
    return text + "; or else add your user to the " + strGroup + " group (sudo usermod -aG " + strGroup +
           " $USER) and log in again.";
  }
  return text + "; no group may open it, so joining one would not help.";
}

} // namespace

std::string OpenFailureReason(const std::string &strDevice, const CSerialError &error,
                              bool bVanishedAfterArrival, const CDeviceAccess &access) {
  switch (error.m_eReason) {
  case ESerialError::PermissionDenied:
    return PermissionAdvice(strDevice, access);
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
                            bool bVanishedAfterArrival, const CDeviceAccess &access) {
  char first[64];
  std::snprintf(first, sizeof first, "Warning:Can't open COM%d!", nPort);
  return std::string(first) + "\n" + OpenFailureReason(strDevice, error, bVanishedAfterArrival, access);
}
