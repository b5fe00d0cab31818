#include "logger/RunSummary.h"

#include "files/NumberText.h"

void CRunSummary::Add(const CLoggedSample &s) {
  bool bFirst = m_hist.Count() == 0;
  m_hist.Add(s.dLevel);
  m_leq.Add(s.dLevel);
  m_units.Add(s.Unit());
  // Strict comparisons keep the earliest of equal extremes.
  if (bFirst || s.dLevel > m_max.dLevel)
    m_max = s;
  if (bFirst || s.dLevel < m_min.dLevel)
    m_min = s;
  if (bFirst)
    m_first = s;
  m_last = s;
}

void CRunSummary::NoteUnwritten(const CLoggedSample &s, const std::string &strWhy) {
  if (m_nUnwritten++ == 0) {
    m_firstUnwritten = s;
    m_strUnwrittenWhy = strWhy;
  }
  m_lastUnwritten = s;
}

std::string CRunSummary::Format() const {
  std::string out = "samples: ";
  AppendInt(out, static_cast<long long>(Count()));
  out += "\ngaps: ";
  AppendInt(out, static_cast<long long>(m_nGaps));
  out += '\n';
  if (m_nUnwritten > 0) {
    // What the file lacks, so a reader knows the hole is not the meter's.
    out += "lost: ";
    AppendInt(out, static_cast<long long>(m_nUnwritten));
    out += " samples not written to the file (" + m_strUnwrittenWhy + "), " +
           SampleIsoTime(m_firstUnwritten) + " to " + SampleIsoTime(m_lastUnwritten) + "\n";
  }
  if (Count() == 0)
    return out;
  double dSpan = std::chrono::duration<double>(m_last.time - m_first.time).count();
  out += "time span: " + SampleIsoTime(m_first) + " to " + SampleIsoTime(m_last) + " (" +
         FormatDuration(dSpan) + ")\n";
  auto extreme = [&](const char *name, const CLoggedSample &s) {
    out += name;
    AppendFixed(out, s.dLevel, 1);
    out += std::string(" ") + s.Unit() + " at " + SampleIsoTime(s) + "\n";
  };
  extreme("MAX: ", m_max);
  extreme("MIN: ", m_min);
  auto figure = [&](const std::string &name, double d) {
    out += name + ": ";
    AppendFixed(out, d, 1);
    out += '\n';
  };
  figure(LeqName(), Leq());
  figure("L10", m_hist.LevelExceeded(10));
  figure("L50", m_hist.LevelExceeded(50));
  figure("L90", m_hist.LevelExceeded(90));
  return out;
}
