#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>

// Window timers by id: SetTimer(id, ms) starts or restarts a repeating timer,
// KillTimer(id) stops it, and each expiry calls the handler with the id (the
// owner's OnTimer). Tests call OnTimer directly instead of waiting.
class CTimerSet {
public:
  explicit CTimerSet(std::function<void(int)> onTimer) : m_onTimer(std::move(onTimer)) {}

  void SetTimer(int nId, int nMs) {
    auto &t = m_timers[nId];
    if (!t) {
      t = std::make_unique<QTimer>();
      QObject::connect(t.get(), &QTimer::timeout, [this, nId] { m_onTimer(nId); });
    }
    t->start(nMs);
  }
  void KillTimer(int nId) {
    auto it = m_timers.find(nId);
    if (it != m_timers.end())
      it->second->stop();
  }
  bool IsActive(int nId) const {
    auto it = m_timers.find(nId);
    return it != m_timers.end() && it->second->isActive();
  }
  int Interval(int nId) const {
    auto it = m_timers.find(nId);
    return it != m_timers.end() ? it->second->interval() : -1;
  }

private:
  std::function<void(int)> m_onTimer;
  std::map<int, std::unique_ptr<QTimer>> m_timers;
};
