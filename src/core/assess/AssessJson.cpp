#include "assess/AssessJson.h"

#include "assess/IsoLocalTime.h"
#include "files/NumberText.h"

#include <cmath>
#include <optional>

namespace {
class CJsonObject {
public:
  void Key(const char *name) {
    m_out += m_out.empty() ? "{" : ",";
    m_out += '"';
    m_out += name;
    m_out += "\":";
  }
  void Number(const char *name, std::optional<double> d, int nDecimals = 1) {
    Key(name);
    if (d && std::isfinite(*d))
      AppendFixed(m_out, *d, nDecimals);
    else
      m_out += "null";
  }
  void Count(const char *name, std::optional<std::size_t> n) {
    Key(name);
    if (n)
      AppendInt(m_out, static_cast<long long>(*n));
    else
      m_out += "null";
  }
  void Time(const char *name, CivilSeconds t) {
    Key(name);
    m_out += '"';
    m_iso.Append(m_out, t);
    m_out += '"';
  }
  void Text(const char *name, std::optional<std::string> s) {
    Key(name);
    m_out += s ? "\"" + *s + "\"" : "null"; // only times and "A"/"C": nothing to escape
  }
  std::string Close() { return m_out + "}"; }

private:
  std::string m_out;
  CIsoLocalTime m_iso;
};

std::optional<double> PartLevel(const DayPartFigures &p) {
  return p.nSamples > 0 ? std::optional<double>(p.dLeq) : std::nullopt;
}
} // namespace

std::string AssessmentJson(const SeriesAssessment &a) {
  CJsonObject o;
  const bool bAny = a.nSamples > 0;
  const auto level = [&](double d) { return bAny ? std::optional<double>(d) : std::nullopt; };
  CIsoLocalTime iso;
  o.Count("samples", a.nSamples);
  o.Text("start", bAny ? std::optional<std::string>(iso(a.tStart)) : std::nullopt);
  o.Text("end", bAny ? std::optional<std::string>(iso(a.tEnd)) : std::nullopt);
  o.Number("duration_s", a.dDurationSec);
  o.Text("weighting", a.weighting == Weighting::A   ? std::optional<std::string>("A")
                      : a.weighting == Weighting::C ? std::optional<std::string>("C")
                                                    : std::nullopt);
  o.Number("leq", level(a.stats.dLeq));
  o.Number("lmax", level(a.dLmax));
  o.Number("lmin", level(a.dLmin));
  o.Number("l10", level(a.stats.dL10));
  o.Number("l50", level(a.stats.dL50));
  o.Number("l90", level(a.stats.dL90));
  o.Number("sel", level(a.stats.dSel));
  o.Number("lex_8h", a.exposure.dLex8h);
  o.Number("lday", PartLevel(a.den.day));
  o.Number("levening", PartLevel(a.den.evening));
  o.Number("lnight", PartLevel(a.den.night));
  o.Number("lden", a.den.dLden);
  const bool bThreshold = a.settings.dThreshold.has_value();
  o.Count("events", bThreshold ? std::optional<std::size_t>(a.events.size()) : std::nullopt);
  o.Number("time_above_s", bThreshold ? std::optional<double>(a.dTimeAboveSec) : std::nullopt);
  return o.Close();
}

std::string PeriodJson(const PeriodFigures &p) {
  CJsonObject o;
  o.Time("start", p.tStart);
  o.Time("end", p.tEnd);
  o.Count("samples", p.nSamples);
  o.Number("coverage_percent", p.dCoveragePercent);
  o.Number("leq", p.dLeq);
  o.Number("lmax", p.dLmax);
  o.Number("lmin", p.dLmin);
  o.Number("l10", p.dL10);
  o.Number("l50", p.dL50);
  o.Number("l90", p.dL90);
  return o.Close();
}

std::string EventStartJson(CivilSeconds tStart, double dThreshold, double dLmaxSoFar) {
  CJsonObject o;
  o.Text("state", "start");
  o.Time("start", tStart);
  o.Number("threshold", dThreshold);
  o.Number("lmax", dLmaxSoFar);
  return o.Close();
}

std::string EventEndJson(const NoiseEvent &e) {
  CJsonObject o;
  o.Text("state", "end");
  o.Time("start", e.tStart);
  o.Time("end", e.tEnd);
  o.Number("duration_s", e.dDurationSec);
  o.Number("lmax", e.dLmax);
  o.Number("leq", e.dLeq);
  o.Number("sel", e.dSel);
  return o.Close();
}
