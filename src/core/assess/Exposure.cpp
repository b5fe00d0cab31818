#include "assess/Exposure.h"

#include <cmath>

Weighting WeightingOfUnit(std::string_view strCommonUnit, bool bAnySample) {
  if (!bAnySample)
    return Weighting::None;
  if (strCommonUnit == "dBA")
    return Weighting::A;
  if (strCommonUnit == "dBC")
    return Weighting::C;
  return Weighting::Mixed;
}

DailyExposure DailyExposureOf(double dLaeq, double dExposureSec, Weighting weighting) {
  DailyExposure e;
  e.dExposureSec = dExposureSec;
  if (weighting == Weighting::None || !(dExposureSec > 0)) {
    e.refusal = ExposureRefusal::NoSamples;
    return e;
  }
  if (weighting != Weighting::A) {
    e.refusal = ExposureRefusal::NotAWeighted;
    return e;
  }
  const double dLex = dLaeq + 10.0 * std::log10(dExposureSec / (8.0 * 3600.0));
  e.dLex8h = dLex;
  const double dShown = std::round(dLex * 10.0) / 10.0;
  e.flag = dShown >= 87   ? ExposureFlag::LimitValue
           : dShown >= 85 ? ExposureFlag::UpperAction
           : dShown >= 80 ? ExposureFlag::LowerAction
                          : ExposureFlag::None;
  return e;
}

double DayEveningNightLevel(double dLday, double dLevening, double dLnight) {
  return 10.0 *
         std::log10((12.0 * std::pow(10.0, dLday / 10.0) + 4.0 * std::pow(10.0, (dLevening + 5) / 10.0) +
                     8.0 * std::pow(10.0, (dLnight + 10) / 10.0)) /
                    24.0);
}
