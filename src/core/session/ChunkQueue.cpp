#include "session/ChunkQueue.h"

#include <sys/eventfd.h>
#include <unistd.h>

CChunkQueue::CChunkQueue() : m_nEventFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

CChunkQueue::~CChunkQueue() {
  if (m_nEventFd >= 0)
    ::close(m_nEventFd);
}

void CChunkQueue::Post(const std::uint8_t *pData, std::size_t nSize) {
  const auto tArrived = std::chrono::steady_clock::now();
  bool bWasEmpty;
  {
    std::lock_guard lock(m_mutex);
    bWasEmpty = m_pending.empty();
    m_pending.push_back(Chunk{{pData, pData + nSize}, tArrived});
  }
  if (bWasEmpty && m_nEventFd >= 0) {
    const std::uint64_t one = 1;
    // A full counter still wakes the reader of the eventfd, so a failed write loses nothing.
    [[maybe_unused]] ssize_t r = ::write(m_nEventFd, &one, sizeof one);
  }
}

std::size_t CChunkQueue::Drain(const Handler &onChunk) {
  if (m_nEventFd >= 0) {
    std::uint64_t count;
    [[maybe_unused]] ssize_t r = ::read(m_nEventFd, &count, sizeof count);
  }
  std::vector<Chunk> chunks;
  {
    std::lock_guard lock(m_mutex);
    chunks.swap(m_pending);
  }
  const auto now = std::chrono::steady_clock::now();
  for (const Chunk &c : chunks)
    onChunk(c.bytes.data(), c.bytes.size(), now - c.tArrived);
  return chunks.size();
}

void CChunkQueue::Discard() {
  std::lock_guard lock(m_mutex);
  m_pending.clear();
}
