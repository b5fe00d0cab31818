#include "serial/ArrivalScanner.h"

#include <filesystem>

namespace fs = std::filesystem;

CArrivalScanner::CArrivalScanner(std::string strSysfsRoot)
    : m_strTtyDir((fs::path(strSysfsRoot) / "class" / "tty").string()), m_known(List()) {}

std::set<std::string> CArrivalScanner::List() const {
  std::set<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(m_strTtyDir, ec), end;
  for (; !ec && it != end; it.increment(ec))
    names.insert(it->path().filename().string());
  return names;
}

bool CArrivalScanner::Rescan() {
  std::set<std::string> now = List();
  bool bArrived = false;
  for (const auto &n : now)
    if (!m_known.count(n))
      bArrived = true;
  m_removed.clear();
  for (const auto &n : m_known)
    if (!now.count(n))
      m_removed.insert(n);
  m_known = std::move(now);
  return bArrived;
}
