#include "assess/AssessCsv.h"

#include "files/NumberText.h"

namespace {
void AppendLevel(std::string &out, double d) {
  out += ',';
  AppendFixed(out, d, 1);
}
} // namespace

void AppendPeriodCsvLine(std::string &out, const PeriodFigures &p, CIsoLocalTime &iso) {
  iso.Append(out, p.tStart);
  out += ',';
  iso.Append(out, p.tEnd);
  out += ',';
  AppendInt(out, static_cast<long long>(p.nSamples));
  for (double d : {p.dCoveragePercent, p.dLeq, p.dLmax, p.dLmin, p.dL10, p.dL50, p.dL90})
    AppendLevel(out, d);
  out += "\r\n";
}

void AppendEventCsvLine(std::string &out, const NoiseEvent &e, CIsoLocalTime &iso) {
  iso.Append(out, e.tStart);
  out += ',';
  iso.Append(out, e.tEnd);
  for (double d : {e.dDurationSec, e.dLmax, e.dLeq, e.dSel})
    AppendLevel(out, d);
  out += "\r\n";
}

std::string PeriodsCsv(std::span<const PeriodFigures> periods) {
  std::string out(kPeriodsCsvHeader);
  out += "\r\n";
  CIsoLocalTime iso;
  for (const PeriodFigures &p : periods)
    AppendPeriodCsvLine(out, p, iso);
  return out;
}

std::string EventsCsv(std::span<const NoiseEvent> events) {
  std::string out(kEventsCsvHeader);
  out += "\r\n";
  CIsoLocalTime iso;
  for (const NoiseEvent &e : events)
    AppendEventCsvLine(out, e, iso);
  return out;
}
