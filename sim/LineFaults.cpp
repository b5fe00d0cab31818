#include "sim/LineFaults.h"

#include "sim/SimWire.h"

#include <cstddef>

namespace sim {

std::vector<uint8_t> ApplyDownloadFault(std::vector<uint8_t> download, const CDownloadFault &fault) {
  if (download.size() < 5)
    return download;
  if (fault.m_nLengthSkew != 0) {
    int nWord = (download[1] << 8 | download[2]) + fault.m_nLengthSkew;
    download[1] = static_cast<uint8_t>((nWord >> 8) & 0xFF);
    download[2] = static_cast<uint8_t>(nWord & 0xFF);
  }
  if (fault.m_bNoEndMarker && download[download.size() - 2] == kEndMarker)
    download.resize(download.size() - 2);
  return download;
}

namespace {

// The line level at time t (in units of 1/(nSentBaud * nLineBaud) s, so
// both bit lengths are whole): start bit low, data LSB first, stop bit and
// idle high.
class CLine {
public:
  CLine(const std::vector<uint8_t> &bytes, long long nSentBit) : m_bytes(bytes), m_nSentBit(nSentBit) {}
  int Level(long long t) const {
    long long nBit = t / m_nSentBit;
    std::size_t nByte = static_cast<std::size_t>(nBit / 10);
    int nPos = static_cast<int>(nBit % 10);
    if (t < 0 || nByte >= m_bytes.size() || nPos == 9)
      return 1;
    if (nPos == 0)
      return 0;
    return (m_bytes[nByte] >> (nPos - 1)) & 1;
  }
  long long End() const { return static_cast<long long>(m_bytes.size()) * 10 * m_nSentBit; }

private:
  const std::vector<uint8_t> &m_bytes;
  long long m_nSentBit;
};

} // namespace

std::vector<uint8_t> AsReceivedAt(const std::vector<uint8_t> &bytes, int nSentBaud, int nLineBaud) {
  if (nSentBaud == nLineBaud || nSentBaud <= 0 || nLineBaud <= 0)
    return bytes;
  const CLine line(bytes, nLineBaud);
  const long long nBit = nSentBaud;                      // one received bit in the same units
  const long long nStep = nBit / 16 > 0 ? nBit / 16 : 1; // the UART's 16x oversampling
  std::vector<uint8_t> out;
  for (long long t = 0; t < line.End();) {
    if (line.Level(t) != 0) {
      t += nStep;
      continue;
    }
    if (line.Level(t + nBit / 2) != 0) { // a glitch, not a start bit
      t += nStep;
      continue;
    }
    uint8_t b = 0;
    for (int i = 0; i < 8; ++i)
      b |= static_cast<uint8_t>(line.Level(t + nBit * (2 * i + 3) / 2) << i);
    out.push_back(b);
    t += nBit * 19 / 2; // the middle of the stop bit; a new start may follow
  }
  return out;
}

} // namespace sim
