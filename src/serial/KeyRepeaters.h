#pragma once

#include "serial/KeyRepeat.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <list>

class CComPort;

// The view's remote-key repetitions on UI-thread timers, one per accepted
// press (CKeyRepeat decides; this only keeps the time). None outlives the
// port, the meter's voice or this object.
class CKeyRepeaters : public QObject {
  Q_OBJECT
public:
  // Where the codes go: whether the line can take them, and one code out.
  struct CKeyLine {
    std::function<bool()> isOpen;
    std::function<void(uint8_t)> write;
  };

  // `state` is the view's decoded meter state; both outlive this object.
  CKeyRepeaters(const CMeterState &state, CComPort &port, QObject *pParent = nullptr);
  CKeyRepeaters(const CMeterState &state, CKeyLine line, QObject *pParent = nullptr);
  ~CKeyRepeaters() override;

  // OnMeterKey: writes the key's code now and starts its repetition. False
  // when the press is ignored (meter silent, port closed, no such key).
  bool Start(int nKey);
  // Call after every decoded live frame: ends the repetitions that took
  // effect and sends the ones the frame made due.
  void OnFrameDecoded();
  // The silence check found the meter gone, or the port was closed: end all.
  void OnSilence() { StopAll(); }
  void OnPortClosed() { StopAll(); }
  void StopAll();
  int Active() const { return static_cast<int>(m_repeats.size()); }

private:
  struct CEntry {
    CKeyRepeat m_repeat;
    QTimer *m_pTimer;
  };
  // Sends if due (restarting its timer); false when the repetition has
  // ended (and is removed).
  bool Fire(std::list<CEntry>::iterator it);
  std::list<CEntry>::iterator Remove(std::list<CEntry>::iterator it);

  const CMeterState &m_state;
  CKeyLine m_line;
  std::list<CEntry> m_repeats;
};
