#pragma once

#include <cstdint>
#include <string>

// The one line a terminal shows while logging, redrawn in place.
struct CStatusInfo {
  bool bHaveLevel = false;
  double dLevel = 0;
  bool bWeightA = true;
  std::string strLeqName = "Leq";
  double dLeq = 0;
  std::uint64_t nSamples = 0;
  std::string strConnection; // "meter on /dev/ttyUSB0", "meter silent", ...
};

// "\r65.2 dBA  LAeq 62.4  12345 samples  meter on /dev/ttyUSB0" and an
// erase to the end of the line.
std::string StatusLineText(const CStatusInfo &info);
// Moves the terminal past the status line before other text.
inline constexpr const char *kStatusLineEnd = "\r\x1b[K";
