#include "logger/MinuteSummary.h"

#include "files/NumberText.h"
#include "logger/LocalTimeCache.h"
#include "records/AcousticStats.h"

#include <algorithm>
#include <chrono>

std::optional<std::string> CMinuteSummary::Add(const CLoggedSample &s) {
  long long nMinute = std::chrono::duration_cast<std::chrono::minutes>(s.time.time_since_epoch()).count();
  std::optional<std::string> done;
  if (!m_levels.empty() && nMinute != m_nMinute)
    done = Flush();
  if (m_levels.empty()) {
    m_nMinute = nMinute;
    m_tmStart = s.local;
    m_tmStart.tm_sec = 0;
    m_bWeightA = s.bWeightA;
    m_bMixed = false;
  }
  m_bMixed = m_bMixed || s.bWeightA != m_bWeightA;
  m_levels.push_back(s.dLevel);
  return done;
}

std::optional<std::string> CMinuteSummary::Flush() {
  if (m_levels.empty())
    return std::nullopt;
  std::string json = Json();
  m_levels.clear();
  return json;
}

std::string CMinuteSummary::Json() const {
  AcousticStats st = ComputeAcousticStats(m_levels, m_dRate);
  auto [itMin, itMax] = std::minmax_element(m_levels.begin(), m_levels.end());
  std::string out = "{\"time\": \"" + FormatIso8601(m_tmStart, 0) + "\", \"count\": ";
  AppendInt(out, static_cast<long long>(st.nCount));
  auto number = [&](const char *name, double d) {
    out += ", \"";
    out += name;
    out += "\": ";
    AppendFixed(out, d, 1);
  };
  number("leq", st.dLeq);
  number("l10", st.dL10);
  number("l50", st.dL50);
  number("l90", st.dL90);
  number("max", *itMax);
  number("min", *itMin);
  out += ", \"weighting\": \"";
  out += m_bMixed ? "mixed" : m_bWeightA ? "A" : "C";
  out += "\"}";
  return out;
}
