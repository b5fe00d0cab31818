#pragma once

#include "meter/CommandSet.h"
#include "meter/LineTiming.h"
#include "meter/MeterReading.h"

#include <cstdint>
#include <optional>

// One accepted remote-key press: its code goes out at once. It goes out
// again only when both the key's interval has passed since the last write
// and kKeyFramesBeforeRepeat frames that began arriving after that write
// have been decoded without the key's effect: a slow meter shows the effect
// only a frame or two later, and a second code would undo the first. The
// repetition ends on the effect, when the meter falls silent or the port
// closes, and after kKeyMaxSends sends.
class CKeyRepeat {
public:
  // Nothing when the press is ignored: no meter talking, or no such key.
  static std::optional<CKeyRepeat> Press(int nKey, const CMeterReading &st, const CLineTiming &timing);

  int Key() const { return m_watch.m_nKey; }
  uint8_t Code() const { return KeyCode(m_watch.m_nKey); }
  int IntervalMs() const { return KeyRepeatMs(m_watch.m_nKey); }
  int Sends() const { return m_nSends; }
  bool Done() const { return m_bDone; }

  // At the press, at every interval and after every decoded frame: true when
  // the code is to be written now (it then counts as written at `now`).
  bool Tick(const CMeterReading &st, SteadyTime now);
  // After a decoded frame: ends the repetition once the key took effect,
  // otherwise counts the frame if it began after the last write.
  void OnFrame(const CMeterReading &st, const CLineTiming &timing);
  // The port closed or the meter fell silent.
  void End() { m_bDone = true; }

private:
  explicit CKeyRepeat(const CKeyWatch &watch, unsigned nFramesSeen)
      : m_watch(watch), m_nFramesSeen(nFramesSeen) {}

  CKeyWatch m_watch;
  int m_nSends = 0;
  bool m_bDone = false;
  SteadyTime m_tLastWrite{};
  int m_nFramesAfterWrite = 0;
  unsigned m_nFramesSeen; // the state's frame count when last looked at
};
