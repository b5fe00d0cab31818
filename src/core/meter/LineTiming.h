#pragma once

#include "meter/MeterReading.h"

#include <chrono>
#include <ctime>

// When bytes and frames came off the line, as the receive path saw them:
// the silence check, the freshness of a reading and the remote keys go by it.
struct CLineTiming {
  std::time_t m_tLastRecv = 0;   // calendar time of the last byte's arrival
  SteadyTime m_tLastByte{};      // the same on the steady clock
  unsigned m_nFramesDecoded = 0; // counts decoded live frames
  SteadyTime m_tFrameBegan{};    // the first byte of the last decoded frame arrived
  SteadyTime m_tLastFrame{};     // the last byte of the last decoded frame arrived
  // Between the last two decoded frames of an unbroken stream; zero until
  // there are two.
  std::chrono::steady_clock::duration m_frameInterval{};
};
