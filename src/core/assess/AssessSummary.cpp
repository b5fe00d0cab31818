#include "assess/AssessSummary.h"

#include "assess/AssessTexts.h"
#include "files/NumberText.h"
#include "records/AcousticStats.h"

namespace {
using namespace AssessTexts;

std::string Two(int n) {
  return std::string(1, static_cast<char>('0' + n / 10 % 10)) + static_cast<char>('0' + n % 10);
}

std::string OneDecimal(double d) {
  std::string s;
  AppendFixed(s, d, 1);
  return s;
}

SummaryRow PartRow(TrText label, const DayPartFigures &p, FTranslate tr) {
  if (p.nSamples == 0)
    return {tr(label), tr(kNoSamples), std::nullopt};
  return {tr(label), FillText(tr(kCoverage), FormatDecibels(p.dLeq), OneDecimal(p.dCoveragePercent)), p.dLeq};
}

TrText FlagText(ExposureFlag f) {
  switch (f) {
  case ExposureFlag::LimitValue:
    return kFlagLimit;
  case ExposureFlag::UpperAction:
    return kFlagUpper;
  case ExposureFlag::LowerAction:
    return kFlagLower;
  case ExposureFlag::None:
    break;
  }
  return kFlagNone;
}
} // namespace

std::string FillText(std::string text, const std::string &a1, const std::string &a2) {
  for (const auto &[key, value] : {std::pair<const char *, const std::string &>{"%1", a1}, {"%2", a2}})
    if (const std::size_t at = text.find(key); at != std::string::npos)
      text.replace(at, 2, value);
  return text;
}

std::string ClockText(CivilSeconds t) {
  const CivilFields f = FromCivilSeconds(t);
  return Two(f.nDay) + "-" + Two(f.nMonth) + "-" + std::to_string(f.nYear) + " " + Two(f.nHour) + ":" +
         Two(f.nMinute) + ":" + Two(f.nSecond);
}

std::string AlarmText(double dLmax, CivilSeconds tStart, FTranslate tr) {
  const CivilFields f = FromCivilSeconds(tStart);
  return FillText(tr(kAlarm), FormatDecibels(dLmax),
                  Two(f.nHour) + ":" + Two(f.nMinute) + ":" + Two(f.nSecond));
}

std::vector<SummaryRow> SummaryRows(const SeriesAssessment &a, FTranslate tr) {
  std::vector<SummaryRow> rows;
  rows.push_back({tr(kSamples), std::to_string(a.nSamples), static_cast<double>(a.nSamples)});
  if (a.nSamples == 0)
    return rows;
  rows.push_back({tr(kStart), ClockText(a.tStart), std::nullopt});
  rows.push_back({tr(kEnd), ClockText(a.tEnd), std::nullopt});
  rows.push_back({tr(kMeasured), FormatDuration(a.dDurationSec), std::nullopt});
  const std::string leq = a.weighting == Weighting::A ? "LAeq" : a.weighting == Weighting::C ? "LCeq" : "Leq";
  rows.push_back({leq, FormatDecibels(a.stats.dLeq) + " dB", a.stats.dLeq});
  const DailyExposure &e = a.exposure;
  if (e.dLex8h) {
    rows.push_back({tr(kLex), FormatDecibels(*e.dLex8h) + " dB(A)", *e.dLex8h});
    rows.push_back({tr(kLexFlag), tr(FlagText(e.flag)), std::nullopt});
  } else {
    const std::string unit = a.weighting == Weighting::C ? "dBC" : tr(kBothWeightings);
    rows.push_back(
        {tr(kLex), e.refusal == ExposureRefusal::NotAWeighted ? FillText(tr(kLexNotA), unit) : tr(kLexNoTime),
         std::nullopt});
  }
  rows.push_back(PartRow(kLday, a.den.day, tr));
  rows.push_back(PartRow(kLevening, a.den.evening, tr));
  rows.push_back(PartRow(kLnight, a.den.night, tr));
  if (a.den.dLden) {
    rows.push_back({tr(kLden), FormatDecibels(*a.den.dLden) + " dB", *a.den.dLden});
  } else {
    std::string missing;
    const DayPartFigures *parts[] = {&a.den.day, &a.den.evening, &a.den.night};
    for (int i = 0; i < 3; ++i)
      if (parts[i]->nSamples == 0)
        missing += (missing.empty() ? "" : ", ") + tr(kPartNames[i]);
    rows.push_back({tr(kLden), FillText(tr(kLdenMissing), missing), std::nullopt});
  }
  if (a.settings.dThreshold) {
    rows.push_back({tr(kEvents), std::to_string(a.events.size()), static_cast<double>(a.events.size())});
    const double dShare = a.dDurationSec > 0 ? 100.0 * a.dTimeAboveSec / a.dDurationSec : 0;
    rows.push_back({tr(kTimeAbove),
                    FillText(tr(kTimeAboveShare), FormatDuration(a.dTimeAboveSec), OneDecimal(dShare)),
                    a.dTimeAboveSec});
  } else {
    rows.push_back({tr(kEvents), tr(kNoThreshold), std::nullopt});
  }
  return rows;
}
