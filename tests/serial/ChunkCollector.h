#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

// Collects the chunks a port delivers on its reader thread, for tests to wait on.
class CChunkCollector {
public:
  void Add(const unsigned char *pData, int nCount) {
    std::lock_guard lock(m_mutex);
    m_chunks.emplace_back(pData, pData + nCount);
    m_cv.notify_all();
  }
  // Waits until at least nBytes have arrived in all; false on time-out.
  bool WaitBytes(size_t nBytes, std::chrono::milliseconds timeout = std::chrono::milliseconds(2000)) {
    std::unique_lock lock(m_mutex);
    return m_cv.wait_for(lock, timeout, [&] { return TotalLocked() >= nBytes; });
  }
  std::vector<std::vector<unsigned char>> Chunks() {
    std::lock_guard lock(m_mutex);
    return m_chunks;
  }
  std::vector<size_t> Sizes() {
    std::lock_guard lock(m_mutex);
    std::vector<size_t> sizes;
    for (auto &c : m_chunks)
      sizes.push_back(c.size());
    return sizes;
  }
  std::vector<unsigned char> Bytes() {
    std::lock_guard lock(m_mutex);
    std::vector<unsigned char> all;
    for (auto &c : m_chunks)
      all.insert(all.end(), c.begin(), c.end());
    return all;
  }

private:
  size_t TotalLocked() const {
    size_t n = 0;
    for (auto &c : m_chunks)
      n += c.size();
    return n;
  }
  std::mutex m_mutex;
  std::condition_variable m_cv;
  std::vector<std::vector<unsigned char>> m_chunks;
};
