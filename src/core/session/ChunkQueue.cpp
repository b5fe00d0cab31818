#include "session/ChunkQueue.h"

#include <sys/eventfd.h>
#include <unistd.h>

CChunkQueue::CChunkQueue() : m_nEventFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

CChunkQueue::~CChunkQueue() {
  if (m_nEventFd >= 0)
    ::close(m_nEventFd);
}

void CChunkQueue::Post(const std::uint8_t *pData, std::size_t nSize) {
  bool bWasEmpty;
  {
    std::lock_guard lock(m_mutex);
    bWasEmpty = m_pending.empty();
    m_pending.emplace_back(pData, pData + nSize);
  }
  if (bWasEmpty && m_nEventFd >= 0) {
    const std::uint64_t one = 1;
    // A full counter still wakes the reader of the eventfd, so a failed write loses nothing.
    [[maybe_unused]] ssize_t r = ::write(m_nEventFd, &one, sizeof one);
  }
}

std::size_t CChunkQueue::Drain(const std::function<void(const std::uint8_t *, std::size_t)> &onChunk) {
  if (m_nEventFd >= 0) {
    std::uint64_t count;
    [[maybe_unused]] ssize_t r = ::read(m_nEventFd, &count, sizeof count);
  }
  std::vector<Chunk> chunks;
  {
    std::lock_guard lock(m_mutex);
    chunks.swap(m_pending);
  }
  for (const Chunk &c : chunks)
    onChunk(c.data(), c.size());
  return chunks.size();
}

void CChunkQueue::Discard() {
  std::lock_guard lock(m_mutex);
  m_pending.clear();
}
