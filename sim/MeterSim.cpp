#include "sim/MeterSim.h"

#include "sim/SimWire.h"

#include <algorithm>
#include <ctime>

CMeterSim::CMeterSim() : m_source(CLevelSource::Constant(60.0)) {
  m_dShown = m_source.Peek();
}

double CMeterSim::RangeLow(int nRange) {
  static const double low[] = {30.0, 50.0, 80.0, 30.0};
  return low[std::clamp(nRange, 1, 4) - 1];
}

double CMeterSim::RangeHigh(int nRange) {
  static const double high[] = {80.0, 100.0, 130.0, 130.0};
  return high[std::clamp(nRange, 1, 4) - 1];
}

bool CMeterSim::IsUnder() const {
  return m_dShown < RangeLow(m_nRange);
}
bool CMeterSim::IsOver() const {
  return m_dShown > RangeHigh(m_nRange);
}

void CMeterSim::SetTimeOfDay(int nHour, int nMinute, int nSecond) {
  const int day = 24 * 3600;
  m_nSecondsOfDay = ((nHour * 3600 + nMinute * 60 + nSecond) % day + day) % day;
}

void CMeterSim::SetDate(int nYear, int nMonth, int nDay) {
  m_nYear = nYear;
  m_nMonth = nMonth;
  m_nDay = nDay;
}

// Time runs on; while REC is on, the meter logs the shown level once a
// second into the recording it opened, until its memory is full.
void CMeterSim::AdvanceSeconds(int nSeconds) {
  const int day = 24 * 3600;
  for (int i = 0; i < nSeconds; ++i) {
    if (m_bRec && m_bLogging && !m_recordings.empty() &&
        sim::DownloadPayloadSize(m_recordings) + 2 <= sim::kMaxPayload)
      m_recordings.back().m_levels.push_back(m_dShown);
    if (++m_nSecondsOfDay == day) {
      m_nSecondsOfDay = 0;
      NextDay();
    }
  }
}

void CMeterSim::NextDay() {
  std::tm tm{};
  tm.tm_year = m_nYear - 1900;
  tm.tm_mon = m_nMonth - 1;
  tm.tm_mday = m_nDay + 1;
  tm.tm_hour = 12; // clear of any daylight saving change
  tm.tm_isdst = -1;
  std::mktime(&tm);
  SetDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

void CMeterSim::StartRecording() {
  CSimRecording r;
  r.m_bWeightA = m_bWeightA;
  r.m_nYear = m_nYear;
  r.m_nMonth = m_nMonth;
  r.m_nDay = m_nDay;
  r.m_nHour = m_nSecondsOfDay / 3600;
  r.m_nMinute = m_nSecondsOfDay / 60 % 60;
  r.m_nSecond = m_nSecondsOfDay % 60;
  r.m_nInterval = 1;
  std::vector<CSimRecording> grown = m_recordings;
  grown.push_back(r);
  m_bLogging = sim::DownloadPayloadSize(grown) <= sim::kMaxPayload;
  if (m_bLogging)
    m_recordings.push_back(r);
}

// One tag slot is shared by over/under and REC, on alternate frames. Going
// straight from under to over (or back) first clears both, because the
// in-range tag is the only one that resets the other indicator.
uint8_t CMeterSim::SlotTag() {
  if (m_nFrame % 2 == 1)
    return m_bRec ? sim::kRecOn : sim::kRecOff;
  uint8_t want = IsUnder() ? sim::kUnder : IsOver() ? sim::kOver : sim::kInRange;
  if (want != sim::kInRange && m_nLastOverUnder != sim::kInRange && want != m_nLastOverUnder)
    want = sim::kInRange;
  m_nLastOverUnder = want;
  return want;
}

std::vector<uint8_t> CMeterSim::NextFrame() {
  if (!m_bPowered)
    return {};
  if (!m_bHold) {
    double d = m_source.Next();
    if (m_bCaptureFresh)
      m_dCaptured = d;
    else if (m_bMax)
      m_dCaptured = std::max(m_dCaptured, d);
    else if (m_bMin)
      m_dCaptured = std::min(m_dCaptured, d);
    m_bCaptureFresh = false;
    m_dShown = (m_bMax || m_bMin) ? m_dCaptured : d;
  }
  sim::CSimDisplay disp;
  disp.m_dLevel = m_dShown;
  disp.m_bWeightA = m_bWeightA;
  disp.m_bFast = m_bFast;
  disp.m_bMax = m_bMax;
  disp.m_bMin = m_bMin;
  disp.m_nRange = m_nRange;
  disp.m_nHour = m_nSecondsOfDay / 3600;
  disp.m_nMinute = m_nSecondsOfDay / 60 % 60;
  disp.m_nSecond = m_nSecondsOfDay % 60;
  disp.m_nSlotTag = SlotTag();
  disp.m_bHold = m_bHold;
  ++m_nFrame;
  std::vector<uint8_t> out = std::move(m_lineBurst);
  m_lineBurst.clear();
  std::vector<uint8_t> frame = sim::BuildLiveFrame(disp);
  out.insert(out.end(), frame.begin(), frame.end());
  return OnLine(std::move(out));
}

void CMeterSim::PutOnLine(std::vector<uint8_t> bytes) {
  m_lineBurst.insert(m_lineBurst.end(), bytes.begin(), bytes.end());
}

std::vector<uint8_t> CMeterSim::OnLine(std::vector<uint8_t> bytes) const {
  return m_nTalkBaud == sim::kLineBaud ? bytes : sim::AsReceivedAt(bytes, m_nTalkBaud);
}

void CMeterSim::OnKey(uint8_t code) {
  switch (code) {
  case kKeyStop:
    m_bPowered = false;
    break;
  case kKeyRec:
    m_bRec = !m_bRec;
    if (m_bRec)
      StartRecording();
    break;
  case kKeyMaxMin:
    // MAX, then MIN, then off; each capture starts with the next level.
    if (!m_bMax && !m_bMin)
      m_bMax = true;
    else if (m_bMax) {
      m_bMax = false;
      m_bMin = true;
    } else
      m_bMin = false;
    m_bCaptureFresh = true;
    break;
  case kKeyFastSlow:
    m_bFast = !m_bFast;
    break;
  case kKeyLevel:
    m_nRange = m_nRange % 4 + 1;
    break;
  case kKeyAC:
    m_bWeightA = !m_bWeightA;
    break;
  default:
    break;
  }
}

std::vector<uint8_t> CMeterSim::OnBytesReceived(const uint8_t *p, std::size_t n) {
  std::vector<uint8_t> reply;
  for (std::size_t i = 0; i < n && m_bPowered; ++i) {
    uint8_t b = p[i];
    if (m_bAwaitRequest && b == kRequest2) {
      m_bAwaitRequest = false;
      ++m_nRequests;
      std::vector<uint8_t> dl =
          OnLine(sim::ApplyDownloadFault(sim::BuildDownload(m_recordings), m_downloadFault));
      reply.insert(reply.end(), dl.begin(), dl.end());
      continue;
    }
    m_bAwaitRequest = b == kRequest1;
    if (m_bAwaitRequest)
      continue;
    if (b == kKeyStop || b == kKeyRec || b == kKeyMaxMin || b == kKeyFastSlow || b == kKeyLevel ||
        b == kKeyAC) {
      ++m_nKeysReceived;
      if (m_nIgnoreKeys > 0) {
        --m_nIgnoreKeys;
        continue;
      }
      OnKey(b);
    }
  }
  return reply;
}
