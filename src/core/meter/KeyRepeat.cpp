#include "meter/KeyRepeat.h"

std::optional<CKeyRepeat> CKeyRepeat::Press(int nKey, const CMeterReading &st, const CLineTiming &timing) {
  if (!st.m_bDataReceived)
    return std::nullopt;
  auto watch = TakeKeyWatch(nKey, st);
  if (!watch)
    return std::nullopt;
  return CKeyRepeat(*watch, timing.m_nFramesDecoded);
}

bool CKeyRepeat::Tick(const CMeterReading &st, SteadyTime now) {
  if (m_bDone)
    return false;
  if (!st.m_bDataReceived || KeyTookEffect(m_watch, st)) {
    m_bDone = true;
    return false;
  }
  if (m_nSends > 0 && (now - m_tLastWrite < std::chrono::milliseconds(IntervalMs()) ||
                       m_nFramesAfterWrite < kKeyFramesBeforeRepeat))
    return false;
  ++m_nSends;
  m_tLastWrite = now;
  m_nFramesAfterWrite = 0;
  if (m_nSends >= kKeyMaxSends)
    m_bDone = true; // this send is the last
  return true;
}

void CKeyRepeat::OnFrame(const CMeterReading &st, const CLineTiming &timing) {
  if (m_bDone)
    return;
  if (!st.m_bDataReceived || KeyTookEffect(m_watch, st)) {
    m_bDone = true;
    return;
  }
  if (timing.m_nFramesDecoded == m_nFramesSeen)
    return; // a refresh without a new frame
  m_nFramesSeen = timing.m_nFramesDecoded;
  if (m_nSends > 0 && timing.m_tFrameBegan > m_tLastWrite)
    ++m_nFramesAfterWrite;
}
