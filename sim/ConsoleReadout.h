#pragma once

#include "sim/MeterSim.h"

#include <chrono>
#include <functional>
#include <ostream>

// The console readout: a simulated meter's stream fed through the receive
// path in real time, one line per decoded frame. Stands in for the main
// window until it exists.
struct CConsoleOptions {
  std::chrono::milliseconds m_duration{5000};
  // Waits between frames; tests pass one that only advances their clock.
  std::function<void(std::chrono::milliseconds)> m_sleep;
  std::function<std::time_t()> m_clock = [] { return std::time(nullptr); };
};

// Returns the number of frames decoded.
int RunConsoleReadout(CMeterSim &sim, std::ostream &out, const CConsoleOptions &opt);
