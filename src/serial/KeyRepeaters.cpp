#include "serial/KeyRepeaters.h"

#include "serial/ComPort.h"

CKeyRepeaters::CKeyRepeaters(const CMeterState &state, CComPort &port, QObject *pParent)
    : CKeyRepeaters(state,
                    CKeyLine{[&port] { return port.IsOpen() && !port.IsHungUp(); },
                             [&port](uint8_t code) { port.Write(&code, 1); }},
                    pParent) {}

CKeyRepeaters::CKeyRepeaters(const CMeterState &state, CKeyLine line, QObject *pParent)
    : QObject(pParent), m_state(state), m_line(std::move(line)) {}

CKeyRepeaters::~CKeyRepeaters() {
  StopAll();
}

bool CKeyRepeaters::Start(int nKey) {
  if (!m_line.isOpen())
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
  if (!m_line.isOpen()) {
    Remove(it);
    return false;
  }
  if (it->m_repeat.Tick(m_state)) {
    m_line.write(it->m_repeat.Code()); // a failed write is tried again at the next interval
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
