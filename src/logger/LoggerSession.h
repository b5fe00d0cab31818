#pragma once

#include "logger/LoggerOptions.h"
#include "records/SampleStore.h"
#include "session/ChunkQueue.h"
#include "session/ComPortLink.h"
#include "session/MeterSession.h"

#include <chrono>
#include <functional>
#include <optional>

// The meter session as tarvik-logger drives it from its poll loop: the
// production link (the --device path, or discovery under --port-template),
// the port opened again or the bridge searched again every second while
// none is open (there is no device watcher), and a clock whose calendar
// side is the program's wall clock.
class CLoggerSession {
public:
  using SteadyClock = std::chrono::steady_clock;
  using WallClock = std::function<std::chrono::system_clock::time_point()>;
  static constexpr std::chrono::milliseconds kRetryEvery{1000};

  CLoggerSession(const CLoggerOptions &options, const std::string &strSysfsRoot, WallClock wallClock);
  ~CLoggerSession();
  CLoggerSession(const CLoggerSession &) = delete;
  CLoggerSession &operator=(const CLoggerSession &) = delete;

  CMeterSession &Session() { return *m_pSession; }
  const CSampleStore &Downloaded() const { return m_stores.m_log; }

  // Opens the --device path at once, or begins discovery.
  void Begin();
  // Hands the chunks that arrived to the session and fires what is due.
  void Advance();
  // The session's next deadline on the steady clock; nothing when none.
  std::optional<SteadyClock::time_point> NextDeadline() const;
  // Sleeps until `until`, a chunk arriving or the stop descriptor (-1:
  // none) becoming readable; true in the last case.
  bool Wait(int nStopFd, SteadyClock::time_point until) const;

private:
  class CClock : public CSystemClock {
  public:
    explicit CClock(WallClock wall) : m_wall(std::move(wall)) {}
    std::time_t WallTime() const override { return std::chrono::system_clock::to_time_t(m_wall()); }

  private:
    WallClock m_wall;
  };
  // The loop asks NextDeadline() each time round instead.
  class CPolled : public ISessionScheduler {
    void WakeAt(std::optional<std::chrono::milliseconds>) override {}
  };

  std::string m_strDevice;
  CClock m_clock;
  CPolled m_scheduler;
  CChunkQueue m_queue; // outlives the link whose reader posts to it
  CComPortLink m_link;
  CDataStores m_stores;
  std::unique_ptr<CMeterSession> m_pSession;
};
