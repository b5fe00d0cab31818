#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

// Hands the reader thread's chunks to the session's thread in arrival
// order, each with the reader's time of arrival, so a session thread that
// was held up still dates its bytes right. The reader only copies a chunk
// under a mutex and rings an eventfd; the session's thread waits on
// WakeFd() (a socket notifier in the window program, poll() in the logger)
// and drains.
class CChunkQueue {
public:
  using Age = std::chrono::steady_clock::duration;
  using Handler = std::function<void(const std::uint8_t *, std::size_t, Age)>;

  CChunkQueue();
  ~CChunkQueue();
  CChunkQueue(const CChunkQueue &) = delete;
  CChunkQueue &operator=(const CChunkQueue &) = delete;

  // Reader thread.
  void Post(const std::uint8_t *pData, std::size_t nSize);
  // Readable while chunks wait; -1 if no eventfd could be made.
  int WakeFd() const { return m_nEventFd; }
  // Session thread: hands every waiting chunk to `onChunk` with how long
  // ago it arrived; the number handed.
  std::size_t Drain(const Handler &onChunk);
  // Drops chunks not yet delivered.
  void Discard();

private:
  int m_nEventFd = -1;
  std::mutex m_mutex;
  struct Chunk {
    std::vector<std::uint8_t> bytes;
    std::chrono::steady_clock::time_point tArrived;
  };
  std::vector<Chunk> m_pending;
};
