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
  Fire(it); // the first send goes out with the press
  return true;
}

bool CKeyRepeaters::Fire(std::list<CEntry>::iterator it) {
  if (!m_line.isOpen()) {
    Remove(it);
    return false;
  }
  if (it->m_repeat.Tick(m_state, std::chrono::steady_clock::now())) {
    m_line.write(it->m_repeat.Code()); // a failed write is tried again at the next interval
    it->m_pTimer->start();             // the next interval counts from this write
  }
  if (!it->m_repeat.Done())
    return true;
  Remove(it);
  return false;
}

void CKeyRepeaters::OnFrameDecoded() {
  for (auto it = m_repeats.begin(); it != m_repeats.end();) {
    it->m_repeat.OnFrame(m_state);
    auto next = std::next(it);
    // The frame may be the one a waiting repetition needed.
    if (!it->m_repeat.Done())
      Fire(it);
    else
      Remove(it);
    it = next;
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
