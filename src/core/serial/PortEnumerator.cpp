#include "serial/PortEnumerator.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

std::string ReadAttribute(const fs::path &file) {
  std::ifstream in(file);
  if (!in)
    return {};
  std::string s;
  std::getline(in, s);
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ' || s.back() == '\t'))
    s.pop_back();
  return s;
}

bool IsUnder(const fs::path &p, const fs::path &root) {
  auto r = root.begin(), i = p.begin();
  for (; r != root.end(); ++r, ++i)
    if (i == p.end() || *i != *r)
      return false;
  return true;
}

// Natural order: the name's letters, then its number.
bool NaturalLess(const CPortInfo &a, const CPortInfo &b) {
  auto stem = [](const std::string &s) { return s.substr(0, s.find_last_not_of("0123456789") + 1); };
  std::string sa = stem(a.m_strName), sb = stem(b.m_strName);
  if (sa != sb)
    return sa < sb;
  if (a.m_nNumber != b.m_nNumber)
    return a.m_nNumber < b.m_nNumber;
  return a.m_strName < b.m_strName;
}

void DescribeUsb(CPortInfo &info, const fs::path &device, const fs::path &root) {
  std::error_code ec;
  for (fs::path dir = device; !dir.empty() && IsUnder(dir, root) && dir != root; dir = dir.parent_path()) {
    if (fs::exists(dir / "idVendor", ec) && fs::exists(dir / "idProduct", ec)) {
      info.m_strDescription = ReadAttribute(dir / "product");
      info.m_strManufacturer = ReadAttribute(dir / "manufacturer");
      return;
    }
  }
}

} // namespace

int PortNumberFromName(const std::string &strName) {
  auto pos = strName.find_last_not_of("0123456789");
  size_t nStart = pos == std::string::npos ? 0 : pos + 1;
  if (nStart >= strName.size() || strName.size() - nStart > 6)
    return -1;
  return std::stoi(strName.substr(nStart));
}

std::vector<CPortInfo> EnumerateSerialPorts(const std::string &strSysfsRoot, const std::string &strDevDir) {
  std::vector<CPortInfo> ports;
  std::error_code ec;
  fs::path root = fs::weakly_canonical(strSysfsRoot, ec);
  if (ec)
    return ports;
  fs::directory_iterator it(root / "class" / "tty", ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    std::string strName = it->path().filename().string();
    fs::path link = it->path() / "device";
    // Virtual terminals, the console and ptmx have no device behind them.
    if (!fs::exists(link, ec))
      continue;
    fs::path device = fs::canonical(link, ec);
    if (ec) {
      ec.clear();
      continue;
    }
    CPortInfo info;
    info.m_strName = strName;
    info.m_strDevice = (fs::path(strDevDir) / strName).string();
    info.m_nNumber = PortNumberFromName(strName);
    fs::path driver = fs::read_symlink(device / "driver", ec);
    if (!ec)
      info.m_strDriver = driver.filename().string();
    ec.clear();
    DescribeUsb(info, device, root);
    if (info.m_strDriver == "cp210x")
      info.m_strDescription = kBridgeDescription;
    ports.push_back(std::move(info));
  }
  std::sort(ports.begin(), ports.end(), NaturalLess);
  return ports;
}
