#include "assess/IsoLocalTime.h"

#include "files/NumberText.h"

#include <ctime>

namespace {
void AppendTwo(std::string &out, long n) {
  out += static_cast<char>('0' + n / 10 % 10);
  out += static_cast<char>('0' + n % 10);
}
} // namespace

long CIsoLocalTime::OffsetSeconds(CivilSeconds t) {
  const CivilSeconds hour = t - ((t % 3600) + 3600) % 3600;
  if (m_bHave && hour == m_tHour)
    return m_nOffset;
  const CivilFields f = FromCivilSeconds(t);
  std::tm tm{};
  tm.tm_year = f.nYear - 1900;
  tm.tm_mon = f.nMonth - 1;
  tm.tm_mday = f.nDay;
  tm.tm_hour = f.nHour;
  tm.tm_min = f.nMinute;
  tm.tm_sec = f.nSecond;
  tm.tm_isdst = -1;
  const std::time_t utc = std::mktime(&tm);
  // mktime may move a time that the clock skips; the offset is what it chose
  m_nOffset = utc == static_cast<std::time_t>(-1) ? 0 : tm.tm_gmtoff;
  m_tHour = hour;
  m_bHave = true;
  return m_nOffset;
}

void CIsoLocalTime::Append(std::string &out, CivilSeconds t) {
  const CivilFields f = FromCivilSeconds(t);
  AppendInt(out, f.nYear);
  out += '-';
  AppendTwo(out, f.nMonth);
  out += '-';
  AppendTwo(out, f.nDay);
  out += 'T';
  AppendTwo(out, f.nHour);
  out += ':';
  AppendTwo(out, f.nMinute);
  out += ':';
  AppendTwo(out, f.nSecond);
  long n = OffsetSeconds(t);
  out += n < 0 ? '-' : '+';
  n = n < 0 ? -n : n;
  AppendTwo(out, n / 3600);
  out += ':';
  AppendTwo(out, n / 60 % 60);
}
