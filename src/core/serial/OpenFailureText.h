#pragma once

#include "serial/DeviceAccess.h"
#include "serial/SerialError.h"

#include <string>

// "Warning:Can't open COM%d!" and, on a second line, what happened and what
// to do about it. bVanishedAfterArrival: the node went away within seconds
// of appearing, which is what the braille display daemon does to bridges.
// access: the node's owner, group and mode, for a refused permission.
std::string OpenFailureText(int nPort, const std::string &strDevice, const CSerialError &error,
                            bool bVanishedAfterArrival = false, const CDeviceAccess &access = {});
// The second line alone.
std::string OpenFailureReason(const std::string &strDevice, const CSerialError &error,
                              bool bVanishedAfterArrival = false, const CDeviceAccess &access = {});
