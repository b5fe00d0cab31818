#include "session/Deadlines.h"

std::optional<CDeadlines::Ms> CDeadlines::Period(int nId) const {
  auto it = m_timers.find(nId);
  if (it == m_timers.end())
    return std::nullopt;
  return it->second.period;
}

std::optional<CDeadlines::Ms> CDeadlines::Due(int nId) const {
  auto it = m_timers.find(nId);
  if (it == m_timers.end())
    return std::nullopt;
  return it->second.due;
}

std::optional<CDeadlines::Ms> CDeadlines::Next() const {
  std::optional<Ms> next;
  for (const auto &[nId, t] : m_timers)
    if (!next || t.due < *next)
      next = t.due;
  return next;
}

std::optional<int> CDeadlines::TakeDue(Ms now) {
  auto best = m_timers.end();
  for (auto it = m_timers.begin(); it != m_timers.end(); ++it)
    if (it->second.due <= now && (best == m_timers.end() || it->second.due < best->second.due))
      best = it;
  if (best == m_timers.end())
    return std::nullopt;
  const int nId = best->first;
  Timer &t = best->second;
  if (t.period <= Ms::zero()) {
    m_timers.erase(best);
  } else {
    t.due += t.period;
    if (t.due <= now)
      t.due += (now - t.due) / t.period * t.period + t.period;
  }
  return nId;
}
