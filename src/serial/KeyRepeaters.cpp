#include "serial/KeyRepeaters.h"

#include "serial/ComPort.h"

CKeyRepeaters::CKeyRepeaters(const CMeterState &state, CComPort &port, QObject *pParent)
    : QObject(pParent), m_state(state), m_port(port) {}

CKeyRepeaters::~CKeyRepeaters() {
  StopAll();
}

bool CKeyRepeaters::Start(int nKey) {
  if (!m_port.IsOpen() || m_port.IsHungUp())
    return false;
  auto repeat = CKeyRepeat::Press(nKey, m_state);
  if (!repeat)
    return false;
  auto *pTimer = new QTimer(this);
  pTimer->setInterval(repeat->IntervalMs());
  auto it = m_repeats.insert(m_repeats.end(), CEntry{*repeat, pTimer});
  connect(pTimer, &QTimer::timeout, this, [this, pTimer] {
    for (auto i = m_repeats.begin(); i != m_repeats.end(); ++i)
      if (i->m_pTimer == pTimer) {
        Fire(i);
        return;
      }
  });
  if (Fire(it)) // the first send goes out with the press
    pTimer->start();
  return true;
}

bool CKeyRepeaters::Fire(std::list<CEntry>::iterator it) {
  if (!m_port.IsOpen()) {
    Remove(it);
    return false;
  }
  if (it->m_repeat.Tick(m_state)) {
    uint8_t code = it->m_repeat.Code();
    m_port.Write(&code, 1); // a failed write is tried again at the next interval
  }
  if (!it->m_repeat.Done())
    return true;
  Remove(it);
  return false;
}

void CKeyRepeaters::OnFrameDecoded() {
  for (auto it = m_repeats.begin(); it != m_repeats.end();) {
    it->m_repeat.OnFrame(m_state);
    it = it->m_repeat.Done() ? Remove(it) : std::next(it);
  }
}

void CKeyRepeaters::StopAll() {
  for (auto it = m_repeats.begin(); it != m_repeats.end();)
    it = Remove(it);
}

std::list<CKeyRepeaters::CEntry>::iterator CKeyRepeaters::Remove(std::list<CEntry>::iterator it) {
  it->m_pTimer->stop();
  it->m_pTimer->deleteLater(); // it may be the timer whose signal is running
  return m_repeats.erase(it);
}
