#pragma once

#include <chrono>
#include <ctime>
#include <optional>

// The session's two times: a monotonic one for its deadlines and the
// calendar time that stamps samples, runs and live readings. Tests move
// both together to run whole sessions in compressed time.
class ISessionClock {
public:
  virtual ~ISessionClock() = default;
  // Monotonic milliseconds since an arbitrary origin; never goes back.
  virtual std::chrono::milliseconds Now() const = 0;
  // Seconds of calendar time (local time is derived from it once per run).
  virtual std::time_t WallTime() const = 0;
};

// The clocks of the running program.
class CSystemClock : public ISessionClock {
public:
  std::chrono::milliseconds Now() const override {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
  }
  std::time_t WallTime() const override { return std::time(nullptr); }
};

// How the session asks to be woken: the driver (a QTimer in the window
// program, the poll loop of the logger, the test itself) calls
// CMeterSession::Advance at or soon after the time given.
class ISessionScheduler {
public:
  virtual ~ISessionScheduler() = default;
  // The earliest pending deadline changed; nothing when none is pending.
  virtual void WakeAt(std::optional<std::chrono::milliseconds> due) = 0;
};
