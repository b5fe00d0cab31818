#include "logger/LoggerSession.h"

#include <poll.h>

CLoggerSession::CLoggerSession(const CLoggerOptions &options, const std::string &strSysfsRoot,
                               WallClock wallClock)
    : m_strDevice(options.strDevice), m_clock(std::move(wallClock)), m_link(strSysfsRoot) {
  if (!options.strPortTemplate.empty())
    m_link.Port().SetPortTemplate(options.strPortTemplate);
  m_pSession = std::make_unique<CMeterSession>(
      CMeterSession::Env{m_link, m_stores, m_clock, m_scheduler,
                         [this](const std::uint8_t *p, std::size_t n) { m_queue.Post(p, n); }});
  m_pSession->SetRetryPeriod(kRetryEvery);
}

CLoggerSession::~CLoggerSession() {
  m_pSession.reset(); // the reader ends before the queue and the stores go
}

void CLoggerSession::Begin() {
  if (m_strDevice.empty())
    m_pSession->Begin();
  else
    m_pSession->ChooseDevice(m_strDevice);
}

void CLoggerSession::Advance() {
  m_queue.Drain(
      [this](const std::uint8_t *p, std::size_t n, CChunkQueue::Age age) { m_pSession->OnChunk(p, n, age); });
  m_pSession->Advance(m_clock.Now());
}

std::optional<CLoggerSession::SteadyClock::time_point> CLoggerSession::NextDeadline() const {
  const std::optional<std::chrono::milliseconds> due = m_pSession->NextDeadline();
  if (!due)
    return std::nullopt;
  return SteadyClock::time_point(std::chrono::duration_cast<SteadyClock::duration>(*due));
}

bool CLoggerSession::Wait(int nStopFd, SteadyClock::time_point until) const {
  const auto now = SteadyClock::now();
  int nMs = 0;
  if (until > now)
    nMs = static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(until - now).count());
  pollfd fds[2] = {{m_queue.WakeFd(), POLLIN, 0}, {nStopFd, POLLIN, 0}};
  const int n = ::poll(fds, nStopFd >= 0 ? 2 : 1, nMs);
  return n > 0 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR));
}
