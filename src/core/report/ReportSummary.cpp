#include "report/ReportSummary.h"

#include "assess/IsoLocalTime.h"
#include "files/NumberText.h"

namespace {
std::string Db(double d) {
  return FormatDecibels(d) + " dB";
}

std::string Percent(double d) {
  std::string s;
  AppendFixed(s, d, 1);
  return s + " %";
}

std::string ExposureLine(const DailyExposure &e) {
  if (e.refusal == ExposureRefusal::NotAWeighted)
    return "LEX,8h     not given: it is defined for A-weighted levels only (dBA)";
  if (!e.dLex8h)
    return "LEX,8h     not given: no measured time";
  std::string s = "LEX,8h     " + Db(*e.dLex8h) + "(A) over " + FormatDuration(e.dExposureSec);
  switch (e.flag) {
  case ExposureFlag::LimitValue:
    return s + ": at or above the exposure limit value, 87 dB(A)";
  case ExposureFlag::UpperAction:
    return s + ": at or above the upper action value, 85 dB(A)";
  case ExposureFlag::LowerAction:
    return s + ": at or above the lower action value, 80 dB(A)";
  case ExposureFlag::None:
    break;
  }
  return s + ": below the action values";
}

std::string PartLine(const char *name, const DayPartFigures &p) {
  std::string s = name;
  if (p.nSamples == 0)
    return s + "no samples";
  return s + Db(p.dLeq) + ", coverage " + Percent(p.dCoveragePercent);
}
} // namespace

std::string ReportSummary(const SeriesAssessment &a, const std::vector<std::string> &files) {
  std::string out = "Files      ";
  for (std::size_t i = 0; i < files.size(); ++i)
    out += (i ? ", " : "") + files[i];
  out += "\n";
  CIsoLocalTime iso;
  out += "Samples    " + std::to_string(a.nSamples) + ", " + iso(a.tStart) + " to " + iso(a.tEnd) + "\n";
  out += "Duration   " + FormatDuration(a.dDurationSec) + " measured\n";
  const char *leq = a.weighting == Weighting::A ? "LAeq" : a.weighting == Weighting::C ? "LCeq" : "Leq";
  out += std::string(leq) + std::string(11 - std::string(leq).size(), ' ') + Db(a.stats.dLeq) + "\n";
  out += "Lmax       " + Db(a.dLmax) + "\nLmin       " + Db(a.dLmin) + "\n";
  out += "L10        " + Db(a.stats.dL10) + "\nL50        " + Db(a.stats.dL50) + "\nL90        " +
         Db(a.stats.dL90) + "\n";
  out += "SEL        " + Db(a.stats.dSel) + "\n";
  out += ExposureLine(a.exposure) + "\n";
  out += PartLine("Lday       ", a.den.day) + "\n";
  out += PartLine("Levening   ", a.den.evening) + "\n";
  out += PartLine("Lnight     ", a.den.night) + "\n";
  if (a.den.dLden) {
    out += "Lden       " + Db(*a.den.dLden) + "\n";
  } else {
    std::string missing;
    for (const auto &[name, p] : {std::pair{"day", &a.den.day}, std::pair{"evening", &a.den.evening},
                                  std::pair{"night", &a.den.night}})
      if (p->nSamples == 0)
        missing += (missing.empty() ? "" : ", ") + std::string(name);
    out += "Lden       not given: no samples in the " + missing + "\n";
  }
  out += "Periods    " + std::to_string(a.periods.size()) + " of " +
         std::to_string(a.settings.nPeriodSec / 60) + " min\n";
  if (a.settings.dThreshold) {
    out += "Events     " + std::to_string(a.events.size()) + " at or above " + Db(*a.settings.dThreshold) +
           "; time above " + FormatDuration(a.dTimeAboveSec) + " (" +
           Percent(a.dDurationSec > 0 ? 100.0 * a.dTimeAboveSec / a.dDurationSec : 0) +
           " of the measured time)\n";
  }
  return out;
}
