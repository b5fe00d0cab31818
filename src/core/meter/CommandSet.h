#pragma once

#include "meter/MeterReading.h"

#include <cstdint>
#include <optional>

// Every byte the computer sends the meter: six remote-key codes and the
// download request. A key press repeats its code until the decoded state
// shows the key's effect; the repeater itself lives with the serial link.
enum EMeterKey : int {
  kKeyStop = 0,
  kKeyRec = 1,
  kKeyMaxMin = 2,
  kKeyFastSlow = 3,
  kKeyLevel = 4,
  kKeyAC = 5,
};
constexpr int kMeterKeyCount = 6;

constexpr uint8_t kKeyCodes[kMeterKeyCount] = {0x33, 0x55, 0x11, 0x77, 0x88, 0x99};
constexpr int kKeyRepeatMs = 600;
constexpr int kLevelKeyRepeatMs = 500;
// A repetition ends after this many sends at the latest (Stop shows no
// state, so it ends only so or when the meter falls silent).
constexpr int kKeyMaxSends = 10;
// A code is sent again only after this many frames that began arriving
// after the last write were decoded without the key's effect.
constexpr int kKeyFramesBeforeRepeat = 2;

constexpr uint8_t kDownloadRequest[2] = {0x5A, 0xAC};
constexpr int kDownloadRequestRepeatMs = 100;

constexpr bool IsMeterKey(int nKey) {
  return nKey >= 0 && nKey < kMeterKeyCount;
}
constexpr uint8_t KeyCode(int nKey) {
  return IsMeterKey(nKey) ? kKeyCodes[nKey] : 0;
}
constexpr int KeyRepeatMs(int nKey) {
  return nKey == kKeyLevel ? kLevelKeyRepeatMs : kKeyRepeatMs;
}

// The state a key press watches, as it was at the press.
struct CKeyWatch {
  enum EField { kNone, kRec, kMin, kMax, kFast, kRange, kWeightA };
  int m_nKey = kKeyStop;
  EField m_field = kNone;
  int m_nValue = 0;
};

// Snapshot at the press; nothing for an index outside 0..5. MaxMin watches
// MIN when it was on, MAX otherwise.
std::optional<CKeyWatch> TakeKeyWatch(int nKey, const CMeterReading &st);
// Whether a later state shows the key's effect (never for Stop).
bool KeyTookEffect(const CKeyWatch &watch, const CMeterReading &st);
