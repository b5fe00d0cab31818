#pragma once

#include <chrono>
#include <map>
#include <optional>

// The session's timers by id on a monotonic time line: one-shot or
// periodic, fired by whoever advances the time. A periodic timer that fell
// behind skips the periods it missed rather than firing them in a burst.
class CDeadlines {
public:
  using Ms = std::chrono::milliseconds;

  // Starts or restarts timer `nId` to fire at `due`, then every `period` (zero: once).
  void Set(int nId, Ms due, Ms period = Ms::zero()) { m_timers[nId] = Timer{due, period}; }
  void Kill(int nId) { m_timers.erase(nId); }
  bool IsActive(int nId) const { return m_timers.count(nId) != 0; }
  // The period (or the delay it was set with), for the user interface and tests.
  std::optional<Ms> Period(int nId) const;
  std::optional<Ms> Due(int nId) const;
  std::optional<Ms> Next() const;
  // The earliest timer due at `now`, re-armed or removed; nothing when none is due.
  std::optional<int> TakeDue(Ms now);

private:
  struct Timer {
    Ms due;
    Ms period;
  };
  std::map<int, Timer> m_timers;
};
