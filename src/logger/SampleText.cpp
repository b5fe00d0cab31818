#include "files/NumberText.h"
#include "logger/LocalTimeCache.h"
#include "logger/LoggedSample.h"
#include "records/LocalTimeText.h"

namespace {
const char *Bool(bool b) {
  return b ? "true" : "false";
}
} // namespace

std::string LiveTimeText(const std::tm &local) {
  return FormatTimeText(CivilFromTm(local), TimeStyle::PaddedHour);
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
