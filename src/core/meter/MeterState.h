#pragma once

#include <chrono>
#include <ctime>
#include <string>

using SteadyTime = std::chrono::steady_clock::time_point;

// Why the last monitoring run ended, for the window to tell the user.
enum class ERunEnd {
  None,        // no run has ended yet
  User,        // the stop command
  SampleLimit, // the run's sample limit was reached
  HoldSignal,  // the meter sent its hold signal
  Silence,     // the meter fell silent for 2 seconds
  HangUp,      // the port went away (unplugged) and the meter fell silent
};

// What the receive path knows about the meter: written by decoding (on the
// UI thread, see docs/architecture.md) and read by sampling, the readout and
// the remote-key repeaters.
struct CMeterState {
  std::string m_strRecv; // hex text received and not yet consumed
  int m_nRecvBytes = 0;  // bytes since the last decode; download progress
  std::time_t m_tLastRecv = 0;
  bool m_bDataReceived = false;
  bool m_bRecvFlag = false;
  unsigned m_nFramesDecoded = 0; // counts decoded live frames
  SteadyTime m_tFrameBegan{};    // the first byte of the last decoded frame arrived
  SteadyTime m_tLastFrame{};     // the last frame was decoded
  // Between the last two decoded frames of an unbroken stream; zero until
  // there are two.
  std::chrono::steady_clock::duration m_frameInterval{};

  double m_dLevel = 50.0;
  std::string m_strCurTime;
  bool m_bWeightA = true; // before the first frame: A weighting
  bool m_bFast = false;
  bool m_bMax = false;
  bool m_bMin = false;
  bool m_bUnder = false;
  bool m_bOver = false;
  bool m_bRec = false;
  bool m_bLatch = false;
  bool m_bShowLatched = false;
  int m_nRange = 1; // before the first frame: range 1 (no "AUTO")
  bool m_bHold = false;

  int m_nLogSize = 0;
  bool m_bLogHeader = false;
  bool m_bDownloading = false;
  bool m_bRunning = false;
  ERunEnd m_runEnd = ERunEnd::None; // set where the run ends
};
