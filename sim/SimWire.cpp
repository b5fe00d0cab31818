#include "sim/SimWire.h"

#include <algorithm>
#include <cmath>

namespace sim {

uint8_t Bcd(int v) {
  v = std::clamp(v, 0, 99);
  return static_cast<uint8_t>((v / 10) << 4 | (v % 10));
}

uint8_t MeterHourByte(int nHour) {
  nHour = ((nHour % 24) + 24) % 24;
  if (nHour < 12)
    return Bcd(nHour);
  int h12 = nHour == 12 ? 12 : nHour - 12;
  return static_cast<uint8_t>(0x20 + Bcd(h12));
}

uint8_t RangeCode(int nRange) {
  switch (nRange) {
  case 2:
    return kRange2;
  case 3:
    return kRange3;
  case 4:
    return kRangeAuto;
  default:
    return kRange1;
  }
}

namespace {

void AppendLevel(std::vector<uint8_t> &out, double dLevel) {
  long tenths = std::lround(dLevel * 10.0);
  tenths = std::clamp(tenths, 0L, 9999L);
  int d = static_cast<int>(tenths);
  out.push_back(Bcd(d / 100));
  out.push_back(Bcd(d % 100));
}

void AppendTag(std::vector<uint8_t> &out, uint8_t code) {
  out.push_back(kTag);
  out.push_back(code);
}

} // namespace

std::vector<uint8_t> BuildLiveFrame(const CSimDisplay &d) {
  std::vector<uint8_t> f;
  f.reserve(kLiveFrameSize);
  AppendTag(f, kLiveStart);
  AppendLevel(f, d.m_dLevel);
  AppendTag(f, d.m_bFast ? kFast : kSlow);
  AppendTag(f, d.m_bWeightA ? kWeightA : kWeightC); // byte 7: weighting
  AppendTag(f, kTimeTag);
  f.push_back(MeterHourByte(d.m_nHour));
  f.push_back(Bcd(d.m_nMinute));
  f.push_back(Bcd(d.m_nSecond));
  AppendTag(f, d.m_bMax ? kMax : d.m_bMin ? kMin : kMaxMinOff);
  AppendTag(f, RangeCode(d.m_nRange));
  AppendTag(f, d.m_nSlotTag);
  f.push_back(d.m_bHold ? kHoldByte : 0x00);
  return f;
}

std::size_t DownloadPayloadSize(const std::vector<CSimRecording> &recs) {
  std::size_t n = 2; // end marker and trailing byte
  for (const auto &r : recs)
    n += 9 + 2 * r.m_levels.size();
  return n;
}

std::vector<uint8_t> BuildDownload(const std::vector<CSimRecording> &recs) {
  std::size_t payload = DownloadPayloadSize(recs);
  if (payload > kMaxPayload)
    return {};
  std::size_t nWord = payload + kLengthBias;
  std::vector<uint8_t> out;
  out.reserve(3 + payload);
  out.push_back(kDownloadHeader);
  out.push_back(static_cast<uint8_t>(nWord >> 8));
  out.push_back(static_cast<uint8_t>(nWord & 0xFF));
  for (const auto &r : recs) {
    out.push_back(r.m_bWeightA ? kWeightAByte : kWeightCByte);
    out.push_back(Bcd(r.m_nYear % 100));
    out.push_back(Bcd(r.m_nMonth));
    out.push_back(Bcd(r.m_nDay));
    out.push_back(MeterHourByte(r.m_nHour));
    out.push_back(Bcd(r.m_nMinute));
    out.push_back(Bcd(r.m_nSecond));
    out.push_back(Bcd(r.m_nInterval));
    out.push_back(kRecordingMarker);
    for (double d : r.m_levels)
      AppendLevel(out, d);
  }
  out.push_back(kEndMarker);
  out.push_back(0x00);
  return out;
}

} // namespace sim
