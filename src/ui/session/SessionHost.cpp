#include "session/SessionHost.h"

#include <QSocketNotifier>

#include <algorithm>

CSessionHost::CSessionHost(CDataStores &stores, std::unique_ptr<IMeterLink> link, ISessionClock &clock,
                           QObject *parent)
    : QObject(parent), m_clock(clock), m_pLink(std::move(link)) {
  if (m_queue.WakeFd() >= 0) {
    m_pNotifier = std::make_unique<QSocketNotifier>(m_queue.WakeFd(), QSocketNotifier::Read);
    connect(m_pNotifier.get(), &QSocketNotifier::activated, this, &CSessionHost::DrainChunks);
  }
  m_wake.setSingleShot(true);
  m_wake.setTimerType(Qt::PreciseTimer); // sampling periods down to 100 ms
  connect(&m_wake, &QTimer::timeout, this, &CSessionHost::AdvanceNow);
  m_pSession = std::make_unique<CMeterSession>(
      CMeterSession::Env{*m_pLink, stores, m_clock, *this,
                         [this](const std::uint8_t *p, std::size_t n) { m_queue.Post(p, n); }});
}

CSessionHost::~CSessionHost() {
  m_pSession.reset(); // joins the reader thread before the queue goes
  m_pNotifier.reset();
}

void CSessionHost::DrainChunks() {
  m_queue.Drain(
      [this](const std::uint8_t *p, std::size_t n, CChunkQueue::Age age) { m_pSession->OnChunk(p, n, age); });
}

void CSessionHost::AdvanceNow() {
  // What arrived while the window's thread was held up is taken in before
  // anything is judged on it (the silence check, a sampling tick).
  DrainChunks();
  m_pSession->Advance(m_clock.Now());
}

void CSessionHost::WakeAt(std::optional<std::chrono::milliseconds> due) {
  if (!due) {
    m_wake.stop();
    return;
  }
  const auto wait = std::max<std::chrono::milliseconds::rep>((*due - m_clock.Now()).count(), 0);
  m_wake.start(static_cast<int>(std::min<std::chrono::milliseconds::rep>(wait, 24 * 3600 * 1000)));
}
