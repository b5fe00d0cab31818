#pragma once

#include "sim/SimRecording.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The meter's side of the wire: how it encodes its display and its
// data-logger memory. Written from the protocol, not from the decoder.
namespace sim {

constexpr uint8_t kTag = 0xA5;
constexpr uint8_t kLiveStart = 0x0D;
constexpr uint8_t kTimeTag = 0x06;
constexpr uint8_t kHoldByte = 0xFF;
constexpr std::size_t kLiveFrameSize = 20;

constexpr uint8_t kDownloadHeader = 0xBB;
constexpr uint8_t kRecordingMarker = 0xAC;
constexpr uint8_t kEndMarker = 0xDD;
constexpr uint8_t kWeightAByte = 0xAA;
constexpr uint8_t kWeightCByte = 0xCC;
// The length word counts 98 more than the bytes that follow it.
constexpr int kLengthBias = 98;
constexpr std::size_t kMaxPayload = 0xFFFF - kLengthBias;

// Tag codes, the byte after 0xA5.
enum : uint8_t {
  kFast = 0x02,
  kSlow = 0x03,
  kMax = 0x04,
  kMin = 0x05,
  kMaxMinOff = 0x0E,
  kUnder = 0x08,
  kInRange = 0x11,
  kOver = 0x07,
  kRecOn = 0x0A,
  kRecOff = 0x1A,
  kRange1 = 0x30,
  kRange2 = 0x4B,
  kRange3 = 0x4C,
  kRangeAuto = 0x40,
  kWeightA = 0x1B,
  kWeightC = 0x1C,
};

// Two decimal digits in one byte; v is 0..99.
uint8_t Bcd(int v);
// Hours 0..11 as they are; afternoon hours as 12-hour value plus 0x20.
uint8_t MeterHourByte(int nHour);
uint8_t RangeCode(int nRange); // 1..4, 4 = AUTO

// What one live frame shows. The frame has room for one of the over/under
// and REC tags; m_nSlotTag is the code byte that goes there.
struct CSimDisplay {
  double m_dLevel = 0.0;
  bool m_bWeightA = true;
  bool m_bFast = false;
  bool m_bMax = false;
  bool m_bMin = false;
  int m_nRange = 1;
  int m_nHour = 0, m_nMinute = 0, m_nSecond = 0;
  uint8_t m_nSlotTag = kInRange;
  bool m_bHold = false; // the last byte becomes the hold signal 0xFF
};

std::vector<uint8_t> BuildLiveFrame(const CSimDisplay &d);

// Bytes after the length word for these recordings (end marker and the
// trailing byte included).
std::size_t DownloadPayloadSize(const std::vector<CSimRecording> &recs);
// The whole answer to the download request; empty when the recordings do
// not fit the length word.
std::vector<uint8_t> BuildDownload(const std::vector<CSimRecording> &recs);

} // namespace sim
