#pragma once

#include <chrono>
#include <string>

using SteadyTime = std::chrono::steady_clock::time_point;

// What the meter shows, as its last live frame (or its hold signal) told
// it: written only by the receive path, read by the readout, sampling and
// the remote keys.
struct CMeterReading {
  // The meter is heard: its readout is live rather than the silent meter.
  bool m_bDataReceived = false;
  double m_dLevel = 50.0;
  std::string m_strCurTime;
  bool m_bWeightA = true; // before the first frame: A weighting
  bool m_bFast = false;
  bool m_bMax = false;
  bool m_bMin = false;
  bool m_bUnder = false;
  bool m_bOver = false;
  bool m_bRec = false;
  bool m_bLatch = false;       // the bar keeps its level while the digits follow
  bool m_bShowLatched = false; // digits and bar show the latched level
  int m_nRange = 1;            // before the first frame: range 1 (no "AUTO")
  bool m_bHold = false;
};
