#include "serial/KeyRepeat.h"

std::optional<CKeyRepeat> CKeyRepeat::Press(int nKey, const CMeterState &st) {
  if (!st.m_bDataReceived)
    return std::nullopt;
  auto watch = TakeKeyWatch(nKey, st);
  if (!watch)
    return std::nullopt;
  return CKeyRepeat(*watch);
}

bool CKeyRepeat::Tick(const CMeterState &st) {
  if (m_bDone)
    return false;
  if (!st.m_bDataReceived || KeyTookEffect(m_watch, st)) {
    m_bDone = true;
    return false;
  }
  ++m_nSends;
  if (m_watch.m_nKey == kKeyStop && m_nSends >= kStopKeyMaxSends)
    m_bDone = true; // this send is the last
  return true;
}

void CKeyRepeat::OnFrame(const CMeterState &st) {
  if (!st.m_bDataReceived || KeyTookEffect(m_watch, st))
    m_bDone = true;
}
