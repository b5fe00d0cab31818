#include "files/LineEndCount.h"

#include <cstring>

namespace {
// Sixteen bytes compared at once (SSE2 or NEON); a true lane is -1. The
// counts are unsigned, so a lane that reaches 255 wraps by the rules.
using Lanes = signed char __attribute__((vector_size(16)));
using Counts = unsigned char __attribute__((vector_size(16)));
constexpr std::size_t kLanes = sizeof(Lanes);

Lanes Load(const char *p) {
  Lanes v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
} // namespace

void CLineEndCount::Add(std::string_view bytes) {
  if (bytes.empty())
    return;
  if (m_bCrLast && bytes[0] != '\n')
    ++m_nLoneCr;
  const char *p = bytes.data();
  const std::size_t nPairs = bytes.size() - 1; // each byte with the one after it
  std::size_t at = 0;
  // Counted in byte-wide lanes, summed before any lane can pass 255.
  while (at + kLanes <= nPairs) {
    Counts lf = {}, lone = {};
    for (int nBlock = 0; nBlock < 255 && at + kLanes <= nPairs; ++nBlock, at += kLanes) {
      const Lanes here = Load(p + at), next = Load(p + at + 1);
      lf -= (Counts)(here == '\n');
      lone -= (Counts)((here == '\r') & ~(next == '\n'));
    }
    for (std::size_t k = 0; k < kLanes; ++k) {
      m_nLf += lf[k];
      m_nLoneCr += lone[k];
    }
  }
  for (; at < nPairs; ++at) {
    m_nLf += p[at] == '\n';
    m_nLoneCr += p[at] == '\r' && p[at + 1] != '\n';
  }
  m_nLf += bytes.back() == '\n';
  m_bCrLast = bytes.back() == '\r';
}
