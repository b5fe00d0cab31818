#include "records/LocalTimeText.h"

CivilFields CivilFromTm(const std::tm &local) {
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

CivilFields LocalCivilFields(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  return CivilFromTm(tm);
}

std::string FileNameStamp(const CivilFields &f) {
  std::string s;
  AppendPaddedInt(s, f.nYear, 1);
  s += '-';
  AppendPaddedInt(s, f.nMonth, 1);
  s += '-';
  AppendPaddedInt(s, f.nDay, 1);
  s += ' ';
  AppendPaddedInt(s, f.nHour, 1);
  s += '-';
  AppendPaddedInt(s, f.nMinute, 1);
  return s;
}

void AppendIso8601(std::string &out, const CivilFields &f, int nMillis, long nUtcOffsetSeconds) {
  AppendPaddedInt(out, f.nYear, 1);
  out += '-';
  AppendPaddedInt(out, f.nMonth, 2);
  out += '-';
  AppendPaddedInt(out, f.nDay, 2);
  out += 'T';
  AppendPaddedInt(out, f.nHour, 2);
  out += ':';
  AppendPaddedInt(out, f.nMinute, 2);
  out += ':';
  AppendPaddedInt(out, f.nSecond, 2);
  out += '.';
  AppendPaddedInt(out, nMillis, 3);
  const long nOffMin = nUtcOffsetSeconds / 60;
  out += nOffMin < 0 ? '-' : '+';
  const int nAbsMin = static_cast<int>(nOffMin < 0 ? -nOffMin : nOffMin);
  AppendPaddedInt(out, nAbsMin / 60, 2);
  out += ':';
  AppendPaddedInt(out, nAbsMin % 60, 2);
}
