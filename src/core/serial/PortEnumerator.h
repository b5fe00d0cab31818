#pragma once

#include <string>
#include <vector>

// What the meter's bridge is called where its own driver names it; on Linux
// the cp210x driver gives only a product string, so it is put back.
inline constexpr const char *kBridgeDescription = "Silicon Labs CP210x USB to UART Bridge";

// One serial port as discovery sees it.
struct CPortInfo {
  std::string m_strName;   // "ttyUSB0"
  std::string m_strDevice; // "/dev/ttyUSB0"
  int m_nNumber = -1;      // the digits ending the name
  std::string m_strDescription;
  std::string m_strDriver; // "cp210x", "ftdi_sio", "serial8250"; empty when unbound
  std::string m_strManufacturer;
};

// The serial ports under SYSFS/class/tty, in natural name order (ttyUSB2
// before ttyUSB10), skipping virtual terminals (entries with no device).
// A USB port's description is its product string, except for cp210x.
std::vector<CPortInfo> EnumerateSerialPorts(const std::string &strSysfsRoot = "/sys",
                                            const std::string &strDevDir = "/dev");

// The number ending a tty name ("ttyUSB12" -> 12), -1 when there is none.
int PortNumberFromName(const std::string &strName);
