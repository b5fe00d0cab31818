#pragma once

#include <chrono>
#include <cstddef>
#include <vector>

// Cuts the received byte stream into read-sized chunks the way the meter's
// original reads did: a chunk ends when it holds the read size, or when the
// inter-byte time-out passes after its last byte. Times are given, so the
// rule is tested without waiting.
class CReadChunker {
public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds kInterByte{100};

  explicit CReadChunker(int nReadSize, std::chrono::milliseconds interByte = kInterByte);

  void SetReadSize(int nReadSize);
  int ReadSize() const { return m_nReadSize; }
  // How many bytes may be read before the chunk is full.
  size_t Room() const;
  void Add(const unsigned char *pData, size_t nCount, Clock::time_point now);
  bool Empty() const { return m_buf.empty(); }
  // A chunk is ready: full, or partial with the inter-byte time-out passed.
  bool Ready(Clock::time_point now) const;
  // poll() time-out in ms until the partial chunk is due; -1 when empty.
  int WaitMs(Clock::time_point now) const;
  // Removes and returns the ready bytes (all of them when flushing at the end).
  std::vector<unsigned char> Take();

private:
  int m_nReadSize;
  std::chrono::milliseconds m_interByte;
  std::vector<unsigned char> m_buf;
  Clock::time_point m_lastByte{};
};
