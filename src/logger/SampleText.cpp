#include "files/NumberText.h"
#include "logger/LocalTimeCache.h"
#include "logger/LoggedSample.h"

namespace {
void Append2(std::string &out, int n) {
  out += static_cast<char>('0' + n / 10 % 10);
  out += static_cast<char>('0' + n % 10);
}
const char *Bool(bool b) {
  return b ? "true" : "false";
}
} // namespace

std::string LiveTimeText(const std::tm &local) {
  std::string s;
  s.reserve(20);
  Append2(s, local.tm_mday);
  s += '-';
  Append2(s, local.tm_mon + 1);
  s += '-';
  AppendInt(s, local.tm_year + 1900);
  s += ',';
  Append2(s, local.tm_hour);
  s += ':';
  Append2(s, local.tm_min);
  s += ':';
  Append2(s, local.tm_sec);
  return s;
}

const char *RangeText(int nRange) {
  switch (nRange) {
  case 1:
    return "30-80";
  case 2:
    return "50-100";
  case 3:
    return "80-130";
  default:
    return "AUTO";
  }
}

std::string SampleIsoTime(const CLoggedSample &s) {
  return FormatIso8601(s.local, s.nMillis);
}

std::string SampleCsv(const CLoggedSample &s) {
  std::string out = SampleIsoTime(s);
  out += ',';
  AppendFixed(out, s.dLevel, 1);
  out += ',';
  out += s.Weighting();
  return out;
}

std::string SampleJson(const CLoggedSample &s) {
  std::string out = "{\"time\": \"";
  out += SampleIsoTime(s);
  out += "\", \"level\": ";
  AppendFixed(out, s.dLevel, 1);
  out += ", \"weighting\": \"";
  out += s.Weighting();
  out += "\", \"fast\": ";
  out += Bool(s.bFast);
  out += ", \"max\": ";
  out += Bool(s.bMax);
  out += ", \"min\": ";
  out += Bool(s.bMin);
  out += ", \"range\": \"";
  out += RangeText(s.nRange);
  out += "\"}";
  return out;
}
