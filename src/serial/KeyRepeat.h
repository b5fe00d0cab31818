#pragma once

#include "protocol/CommandSet.h"
#include "protocol/MeterState.h"

#include <cstdint>
#include <optional>

// One accepted remote-key press: its code goes out at once and again every
// interval until the decoded state shows the key's effect. It also ends when
// the meter falls silent or the port closes, and Stop, which shows no state
// (the meter stops sending), after kStopKeyMaxSends at the latest.
class CKeyRepeat {
public:
  // Nothing when the press is ignored: no meter talking, or no such key.
  static std::optional<CKeyRepeat> Press(int nKey, const CMeterState &st);

  int Key() const { return m_watch.m_nKey; }
  uint8_t Code() const { return KeyCode(m_watch.m_nKey); }
  int IntervalMs() const { return KeyRepeatMs(m_watch.m_nKey); }
  int Sends() const { return m_nSends; }
  bool Done() const { return m_bDone; }

  // At the press and at every interval: true when the code is to be written now.
  bool Tick(const CMeterState &st);
  // After a decoded frame: ends the repetition once the key took effect.
  void OnFrame(const CMeterState &st);
  // The port closed or the meter fell silent.
  void End() { m_bDone = true; }

private:
  explicit CKeyRepeat(const CKeyWatch &watch) : m_watch(watch) {}

  CKeyWatch m_watch;
  int m_nSends = 0;
  bool m_bDone = false;
};
