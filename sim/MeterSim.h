#pragma once

#include "sim/LevelSource.h"
#include "sim/LineFaults.h"
#include "sim/SimRecording.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// A virtual meter speaking the wire protocol byte by byte: it streams live
// frames of its display, acts on the six key codes and answers the
// download request with its data-logger memory. It keeps no clock of its
// own: the caller advances its time of day, so tests and a real-time
// driver (a pseudo-terminal) use it alike.
class CMeterSim {
public:
  enum : uint8_t {
    kKeyStop = 0x33,
    kKeyRec = 0x55,
    kKeyMaxMin = 0x11,
    kKeyFastSlow = 0x77,
    kKeyLevel = 0x88,
    kKeyAC = 0x99,
    kRequest1 = 0x5A,
    kRequest2 = 0xAC,
  };

  CMeterSim();

  // The next live frame (20 bytes, after any bytes put on the line), or
  // nothing while powered off. Each frame takes the next level from the
  // level source unless the display is held.
  std::vector<uint8_t> NextFrame();
  // Bytes from the computer; returns the meter's immediate answer (the whole
  // download for 0x5A 0xAC), empty for key codes and while powered off.
  std::vector<uint8_t> OnBytesReceived(const uint8_t *p, std::size_t n);

  bool IsPoweredOn() const { return m_bPowered; }
  void PowerOn() { m_bPowered = true; }
  void PowerOff() { m_bPowered = false; }

  // The next n key codes are lost (the meter missed them); for repeaters.
  void IgnoreNextKeys(int n) { m_nIgnoreKeys = n; }
  int KeysReceived() const { return m_nKeysReceived; }
  int RequestsReceived() const { return m_nRequests; }

  void SetLevelSource(CLevelSource src) { m_source = std::move(src); }
  void SetTimeOfDay(int nHour, int nMinute, int nSecond);
  void SetDate(int nYear, int nMonth, int nDay);
  // Moves the clock on (past midnight to the next day); while REC is on,
  // each second logs the shown level.
  void AdvanceSeconds(int nSeconds);
  int SecondsOfDay() const { return m_nSecondsOfDay; }
  int Year() const { return m_nYear; }
  int Month() const { return m_nMonth; }
  int Day() const { return m_nDay; }

  // The hold signal: the display freezes and every frame carries 0xFF.
  void SetHold(bool bHold) { m_bHold = bHold; }
  // The data-logger memory; REC on opens a new recording at its end.
  void SetRecordings(std::vector<CSimRecording> recs) {
    m_recordings = std::move(recs);
    m_bLogging = false;
  }
  const std::vector<CSimRecording> &Recordings() const { return m_recordings; }

  // Line faults. Bytes that go out once, ahead of the next frame: noise, a
  // run of 0xFF, half a frame.
  void PutOnLine(std::vector<uint8_t> bytes);
  // Every later download lies this way (a default fault tells the truth).
  void SetDownloadFault(const sim::CDownloadFault &fault) { m_downloadFault = fault; }
  // Talking at nBaud to a computer at 9600: what the computer reads is
  // what its UART makes of it. Keys from the computer still arrive whole.
  void SetTalkBaud(int nBaud) { m_nTalkBaud = nBaud; }

  // The display state, as the frames show it.
  double DisplayedLevel() const { return m_dShown; }
  bool IsWeightA() const { return m_bWeightA; }
  bool IsFast() const { return m_bFast; }
  bool IsMax() const { return m_bMax; }
  bool IsMin() const { return m_bMin; }
  bool IsRec() const { return m_bRec; }
  int Range() const { return m_nRange; } // 1..3, 4 = AUTO
  bool IsUnder() const;
  bool IsOver() const;

  void SetWeightA(bool b) { m_bWeightA = b; }
  void SetFast(bool b) { m_bFast = b; }
  void SetRange(int n) { m_nRange = n < 1 || n > 4 ? 1 : n; }

  // Measuring span of each range; AUTO covers all of them.
  static double RangeLow(int nRange);
  static double RangeHigh(int nRange);

private:
  void OnKey(uint8_t code);
  std::vector<uint8_t> OnLine(std::vector<uint8_t> bytes) const;
  void StartRecording();
  void NextDay();
  uint8_t SlotTag();

  CLevelSource m_source;
  std::vector<CSimRecording> m_recordings;
  bool m_bPowered = true;
  bool m_bWeightA = true;
  bool m_bFast = true;
  bool m_bMax = false, m_bMin = false;
  bool m_bRec = false;
  bool m_bHold = false;
  int m_nRange = 4;
  int m_nSecondsOfDay = 12 * 3600;
  int m_nYear = 2026, m_nMonth = 1, m_nDay = 1;
  bool m_bLogging = false; // the last recording is the one REC opened
  double m_dShown = 0.0;
  double m_dCaptured = 0.0; // running max or min while MAX/MIN is on
  bool m_bCaptureFresh = false;
  bool m_bAwaitRequest = false;
  int m_nIgnoreKeys = 0;
  int m_nKeysReceived = 0;
  int m_nRequests = 0;
  unsigned m_nFrame = 0;
  uint8_t m_nLastOverUnder = 0x11;
  std::vector<uint8_t> m_lineBurst;
  sim::CDownloadFault m_downloadFault;
  int m_nTalkBaud = sim::kLineBaud;
};
