#pragma once

#include <set>
#include <string>

// Device arrivals from the sysfs tty list: a tty that was not there at the
// previous scan is an arrival, a removal is none. However many appear
// between two scans, they make one arrival.
class CArrivalScanner {
public:
  // Takes the entries present now as known (not arrivals).
  explicit CArrivalScanner(std::string strSysfsRoot = "/sys");

  // Rescans; true when at least one new entry appeared since the last scan.
  bool Rescan();
  // Entries that went away at the last scan, for telling a vanished bridge.
  const std::set<std::string> &LastRemoved() const { return m_removed; }

private:
  std::set<std::string> List() const;

  std::string m_strTtyDir;
  std::set<std::string> m_known;
  std::set<std::string> m_removed;
};
