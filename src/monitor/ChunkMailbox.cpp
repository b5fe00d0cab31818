#include "monitor/ChunkMailbox.h"

#include <QSocketNotifier>

#include <sys/eventfd.h>
#include <unistd.h>

CChunkMailbox::CChunkMailbox(Handler onChunk, QObject *parent)
    : QObject(parent), m_onChunk(std::move(onChunk)), m_nEventFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  if (m_nEventFd >= 0) {
    m_pNotifier = std::make_unique<QSocketNotifier>(m_nEventFd, QSocketNotifier::Read);
    connect(m_pNotifier.get(), &QSocketNotifier::activated, this, &CChunkMailbox::Drain);
  }
}

CChunkMailbox::~CChunkMailbox() {
  m_pNotifier.reset();
  if (m_nEventFd >= 0)
    ::close(m_nEventFd);
}

void CChunkMailbox::Post(const std::uint8_t *pData, std::size_t nSize) {
  bool bWasEmpty;
  {
    std::lock_guard lock(m_mutex);
    bWasEmpty = m_pending.empty();
    m_pending.emplace_back(reinterpret_cast<const char *>(pData), static_cast<qsizetype>(nSize));
  }
  if (bWasEmpty && m_nEventFd >= 0) {
    const std::uint64_t one = 1;
    // A full counter still wakes the reader of the eventfd, so a failed write loses nothing.
    [[maybe_unused]] ssize_t r = ::write(m_nEventFd, &one, sizeof one);
  }
}

void CChunkMailbox::Drain() {
  if (m_nEventFd >= 0) {
    std::uint64_t count;
    [[maybe_unused]] ssize_t r = ::read(m_nEventFd, &count, sizeof count);
  }
  std::vector<QByteArray> chunks;
  {
    std::lock_guard lock(m_mutex);
    chunks.swap(m_pending);
  }
  for (const QByteArray &c : chunks)
    m_onChunk(c);
}

void CChunkMailbox::Discard() {
  std::lock_guard lock(m_mutex);
  m_pending.clear();
}
