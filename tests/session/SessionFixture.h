#pragma once

#include "session/MeterSession.h"
#include "support/FakeMeterLink.h"
#include "support/FakeSessionClock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Writes down what a session reports, one short line per event.
class CEventLog : public ISessionObserver {
public:
  std::vector<std::string> m_events;
  std::vector<SConnection> m_connections;
  std::vector<double> m_levels; // of the samples taken
  SRunStart m_start;

  void OnMeterHeard() override { m_events.push_back("heard"); }
  void OnMeterSilent() override { m_events.push_back("silent"); }
  void OnConnectionChanged(const SConnection &c) override { m_connections.push_back(c); }
  void OnRunStarted(const SRunStart &s) override {
    m_start = s;
    m_events.push_back("run started");
  }
  void OnSampleTaken(const SSample &s) override { m_levels.push_back(s.rec.m_dValue); }
  void OnRunEnded(ERunEnd e) override {
    m_events.push_back("run ended " + std::to_string(static_cast<int>(e)));
  }
  void OnLiveCleared() override { m_events.push_back("live cleared"); }
  void OnLogStoreChanging() override { m_events.push_back("log changing"); }
  void OnDownloadStarted() override { m_events.push_back("download started"); }
  void OnDownloadEnded(EDownloadEnd e) override {
    m_events.push_back("download ended " + std::to_string(static_cast<int>(e)));
  }
  bool Has(const std::string &e) const {
    for (const auto &x : m_events)
      if (x == e)
        return true;
    return false;
  }
  ELinkState LastState() const {
    return m_connections.empty() ? ELinkState::Closed : m_connections.back().eState;
  }
};

inline std::string Ended(ERunEnd e) {
  return "run ended " + std::to_string(static_cast<int>(e));
}
inline std::string Ended(EDownloadEnd e) {
  return "download ended " + std::to_string(static_cast<int>(e));
}

// A session on a scripted link with a clock the test moves.
class SessionFixture : public ::testing::Test {
protected:
  using S = CMeterSession;
  using Ms = std::chrono::milliseconds;

  SessionFixture() {
    m_session.AddObserver(m_log);
    m_session.Begin();
  }

  // Moves the clock to timer nId's deadline and fires what is due by then.
  void Fire(int nId) {
    std::optional<Ms> due = m_session.Timers().Due(nId);
    ASSERT_TRUE(due) << "timer " << nId << " is not running";
    m_clock.m_now = std::max(m_clock.m_now, *due);
    m_session.Advance(m_clock.m_now);
  }
  // The port found and opened: the silence check runs.
  void OpenPort(int nPort = 4) {
    m_link.m_bridgePorts = {nPort};
    Fire(S::TIMER_DISCOVER);
    Fire(S::TIMER_OPEN_PORT);
    ASSERT_TRUE(m_link.m_onChunk);
  }
  void Hear() {
    const std::uint8_t start[] = {0xa5, 0x0d};
    m_session.OnChunk(start, sizeof start);
  }
  int IntervalMs(int nId) const {
    auto p = m_session.Timers().Period(nId);
    return p ? static_cast<int>(p->count()) : -1;
  }
  // How long from now until timer nId fires, -1 when it is not running.
  int DueInMs(int nId) const {
    auto d = m_session.Timers().Due(nId);
    return d ? static_cast<int>((*d - m_clock.m_now).count()) : -1;
  }
  bool Active(int nId) const { return m_session.Timers().IsActive(nId); }

  CFakeSessionClock m_clock;
  CFakeScheduler m_sched;
  CFakeMeterLink m_link;
  CDataStores m_stores;
  CEventLog m_log;
  CMeterSession m_session{{m_link, m_stores, m_clock, m_sched, [](const std::uint8_t *, std::size_t) {}}};
};
