#pragma once

#include "session/SessionClock.h"

#include <chrono>
#include <ctime>
#include <optional>

// A session clock the test moves: monotonic milliseconds and calendar
// seconds, set apart so a test can step either.
class CFakeSessionClock : public ISessionClock {
public:
  std::chrono::milliseconds m_now{0};
  std::time_t m_wall = 1765000000; // 2025-12-06 05:46:40 UTC

  std::chrono::milliseconds Now() const override { return m_now; }
  std::time_t WallTime() const override { return m_wall; }
  // Moves both, the calendar by the whole seconds crossed.
  void Step(std::chrono::milliseconds d) {
    const auto before = m_now.count() / 1000;
    m_now += d;
    m_wall += m_now.count() / 1000 - before;
  }
};

// Keeps the wake-up time the session last asked for.
class CFakeScheduler : public ISessionScheduler {
public:
  std::optional<std::chrono::milliseconds> m_due;
  int m_nCalls = 0;
  void WakeAt(std::optional<std::chrono::milliseconds> due) override {
    m_due = due;
    ++m_nCalls;
  }
};

// Real monotonic time, so the session's timers run with the event loop, and
// a calendar time the test sets (samples and the silence check).
class CTestWallClock : public CSystemClock {
public:
  std::time_t m_wall = 1765000000;      // 2025-12-06 05:46:40 UTC
  std::chrono::milliseconds m_shift{0}; // the monotonic time jumped ahead this much
  std::chrono::milliseconds Now() const override { return CSystemClock::Now() + m_shift; }
  std::time_t WallTime() const override { return m_wall; }
};
