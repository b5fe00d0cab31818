#include "serial/ReadChunker.h"

#include <algorithm>

namespace {
constexpr int kMaxReadSize = 2048;
int ClampReadSize(int n) {
  return std::clamp(n, 1, kMaxReadSize);
}
} // namespace

CReadChunker::CReadChunker(int nReadSize, std::chrono::milliseconds interByte)
    : m_nReadSize(ClampReadSize(nReadSize)), m_interByte(interByte) {}

void CReadChunker::SetReadSize(int nReadSize) {
  m_nReadSize = ClampReadSize(nReadSize);
}

size_t CReadChunker::Room() const {
  size_t nSize = static_cast<size_t>(m_nReadSize);
  return m_buf.size() >= nSize ? 0 : nSize - m_buf.size();
}

void CReadChunker::Add(const unsigned char *pData, size_t nCount, Clock::time_point now) {
  if (nCount == 0)
    return;
  m_buf.insert(m_buf.end(), pData, pData + nCount);
  m_lastByte = now;
}

bool CReadChunker::Ready(Clock::time_point now) const {
  if (m_buf.empty())
    return false;
  return m_buf.size() >= static_cast<size_t>(m_nReadSize) || now - m_lastByte >= m_interByte;
}

int CReadChunker::WaitMs(Clock::time_point now) const {
  if (m_buf.empty())
    return -1;
  auto left = m_interByte - (now - m_lastByte);
  if (left <= Clock::duration::zero())
    return 0;
  // Round up so poll() never wakes a hair early and spins once more.
  return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

std::vector<unsigned char> CReadChunker::Take() {
  size_t nTake = std::min(m_buf.size(), static_cast<size_t>(m_nReadSize));
  std::vector<unsigned char> chunk(m_buf.begin(), m_buf.begin() + static_cast<std::ptrdiff_t>(nTake));
  m_buf.erase(m_buf.begin(), m_buf.begin() + static_cast<std::ptrdiff_t>(nTake));
  return chunk;
}
