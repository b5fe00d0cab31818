#include "app/QuitSignals.h"

#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The pipe's write end as the handler sees it: the one datum a handler may
// reach, read and written only with async-signal-safe operations.
std::atomic<int> g_nQuitPipe{-1};

extern "C" void OnQuitSignal(int nSignal) {
  const int nSavedErrno = errno;
  const int fd = g_nQuitPipe.load(std::memory_order_relaxed);
  if (fd >= 0) {
    const unsigned char b = static_cast<unsigned char>(nSignal);
    [[maybe_unused]] const ssize_t n = ::write(fd, &b, 1);
  }
  errno = nSavedErrno;
}

} // namespace

CQuitSignals::CQuitSignals(QObject *parent) : QObject(parent) {
  if (::pipe2(m_fds, O_CLOEXEC | O_NONBLOCK) != 0) {
    m_fds[0] = m_fds[1] = -1;
    return;
  }
  g_nQuitPipe.store(m_fds[1]);
  m_pNotifier = new QSocketNotifier(m_fds[0], QSocketNotifier::Read, this);
  connect(m_pNotifier, &QSocketNotifier::activated, this, &CQuitSignals::OnReadable);
  struct sigaction sa {};
  sa.sa_handler = OnQuitSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int nSignal : {SIGTERM, SIGHUP, SIGINT}) {
    struct sigaction old {};
    if (::sigaction(nSignal, &sa, &old) == 0)
      m_old.emplace_back(nSignal, old);
  }
}

CQuitSignals::~CQuitSignals() {
  for (auto &[nSignal, old] : m_old)
    ::sigaction(nSignal, &old, nullptr);
  int fd = m_fds[1];
  g_nQuitPipe.compare_exchange_strong(fd, -1);
  for (int fd : m_fds)
    if (fd >= 0)
      ::close(fd);
}

void CQuitSignals::OnReadable() {
  unsigned char b[16];
  const ssize_t n = ::read(m_fds[0], b, sizeof b);
  // Several signals in a row end the program once.
  if (n > 0)
    emit quitRequested(b[0]);
}
