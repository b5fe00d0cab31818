#pragma once

#include <cstdint>
#include <vector>

// Faults of the line between the meter and the computer, so the receive
// path can be tried against what a bad cable, a wrong device or a meter at
// the wrong speed puts on it.
namespace sim {

constexpr int kLineBaud = 9600; // what the computer listens at

// A download that lies: its length word off by m_nLengthSkew bytes (either
// way), or its end marker and trailing byte missing.
struct CDownloadFault {
  int m_nLengthSkew = 0;
  bool m_bNoEndMarker = false;
};
std::vector<uint8_t> ApplyDownloadFault(std::vector<uint8_t> download, const CDownloadFault &fault);

// What a UART at nLineBaud, 8N1, reads from bytes sent back to back at
// nSentBaud: it samples each bit in its middle after a falling edge. A byte
// whose stop bit reads low is delivered all the same, as a port without
// input parity checking (INPCK off) does.
std::vector<uint8_t> AsReceivedAt(const std::vector<uint8_t> &bytes, int nSentBaud,
                                  int nLineBaud = kLineBaud);

} // namespace sim
