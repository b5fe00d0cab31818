#include "logger/LocalTimeCache.h"

#include "records/LocalTimeText.h"

#include <vector>

namespace {
constexpr std::time_t kQuarter = 15 * 60;
} // namespace

std::tm CLocalTimeCache::Get(std::time_t t) {
  std::time_t tStart = t - ((t % kQuarter) + kQuarter) % kQuarter;
  if (tStart != m_tWindow) {
    m_tWindow = tStart;
    localtime_r(&tStart, &m_tmWindow);
    ++m_nConversions;
  }
  std::tm tm = m_tmWindow;
  std::time_t d = t - tStart;
  tm.tm_min += static_cast<int>(d / 60);
  tm.tm_sec += static_cast<int>(d % 60);
  return tm;
}

std::string FormatIso8601(const std::tm &local, int nMillis) {
  std::string s;
  s.reserve(32);
  AppendIso8601(s, CivilFromTm(local), nMillis, local.tm_gmtoff);
  return s;
}

std::string ExpandOutputPattern(const std::string &strPattern, const std::tm &local) {
  std::vector<char> buf(strPattern.size() * 8 + 256);
  std::size_t n = std::strftime(buf.data(), buf.size(), strPattern.c_str(), &local);
  return std::string(buf.data(), n);
}

CSplitTime SplitTime(std::chrono::system_clock::time_point t) {
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(t.time_since_epoch()).count();
  std::time_t sec = static_cast<std::time_t>(ms / 1000);
  int rest = static_cast<int>(ms % 1000);
  if (rest < 0) {
    rest += 1000;
    --sec;
  }
  return {sec, rest};
}
