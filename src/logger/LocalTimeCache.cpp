#include "logger/LocalTimeCache.h"

#include "files/NumberText.h"

#include <cstdlib>
#include <vector>

namespace {
constexpr std::time_t kQuarter = 15 * 60;

void Append2(std::string &out, int n) {
  out += static_cast<char>('0' + n / 10 % 10);
  out += static_cast<char>('0' + n % 10);
}
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
  AppendInt(s, local.tm_year + 1900);
  s += '-';
  Append2(s, local.tm_mon + 1);
  s += '-';
  Append2(s, local.tm_mday);
  s += 'T';
  Append2(s, local.tm_hour);
  s += ':';
  Append2(s, local.tm_min);
  s += ':';
  Append2(s, local.tm_sec);
  s += '.';
  s += static_cast<char>('0' + nMillis / 100 % 10);
  Append2(s, nMillis % 100);
  long nOffMin = local.tm_gmtoff / 60;
  s += nOffMin < 0 ? '-' : '+';
  nOffMin = std::labs(nOffMin);
  Append2(s, static_cast<int>(nOffMin / 60));
  s += ':';
  Append2(s, static_cast<int>(nOffMin % 60));
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
