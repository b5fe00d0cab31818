#pragma once

#include "serial/PortEnumerator.h"
#include "session/ChunkQueue.h"
#include "session/ComPortLink.h"
#include "session/MeterSession.h"
#include "session/SessionFixture.h"
#include "sim/MeterSim.h"
#include "sim/PtyMaster.h"

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

// A whole session without a display, on the production link, against the
// simulated meter on a pseudo-terminal, in compressed time: the rig writes
// the meter's frames at its pace on the session's clock, answers what the
// session writes, waits for the reader thread to hand each byte over, and
// jumps the clock to the next frame, second or session deadline.
class CPtySessionRig {
public:
  using Ms = std::chrono::milliseconds;

  struct Received {
    Ms time;
    std::uint8_t byte;
  };

  CPtySessionRig() {
    m_link.Port().SetPortTemplate("/dev/pts/%d");
    m_pSession = std::make_unique<CMeterSession>(
        CMeterSession::Env{m_link, m_stores, m_clock, m_sched,
                           [this](const std::uint8_t *p, std::size_t n) { m_queue.Post(p, n); }});
    m_pSession->AddObserver(m_log);
  }
  ~CPtySessionRig() { m_pSession.reset(); } // the port closes before the terminal

  // A meter on a new pseudo-terminal, listed by discovery as the bridge.
  bool PlugIn() {
    m_pty = std::make_unique<CPtyMaster>();
    if (!m_pty->Open())
      return false;
    CPortInfo port;
    port.m_strDevice = m_pty->SlavePath();
    port.m_strName = port.m_strDevice.substr(5);
    port.m_nNumber = m_pty->SlaveNumber();
    port.m_strDescription = kBridgeDescription;
    m_link.Discovery().ClearExtraPorts();
    m_link.Discovery().AddExtraPort(port);
    m_nextFrame = m_clock.m_now;
    return true;
  }
  // The cable is pulled: the line hangs up and what was on it is lost.
  // The port's reader notices the hang-up on its own thread; compressed time
  // must not run past it, so this waits (in real time, at most 5 s) for it.
  void Unplug() {
    m_pty->Close();
    m_nDelivered = m_nSent;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (m_link.IsOpen() && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  int SlaveNumber() const { return m_pty->SlaveNumber(); }
  std::string SlavePath() const { return m_pty->SlavePath(); }

  // Compressed time: `span` of the session's clock.
  bool RunFor(Ms span) {
    const Ms end = m_clock.m_now + span;
    for (;;) {
      if (!Answer() || !Deliver())
        return false;
      Ms next = std::min(end, m_nextSecond);
      if (m_pty && m_pty->IsOpen())
        next = std::min(next, m_nextFrame);
      if (std::optional<Ms> d = m_pSession->NextDeadline())
        next = std::min(next, std::max(*d, m_clock.m_now));
      m_clock.Step(next - m_clock.m_now);
      if (m_clock.m_now >= m_nextSecond) {
        m_sim.AdvanceSeconds(1);
        m_nextSecond += Ms{1000};
      }
      if (m_pty && m_pty->IsOpen() && m_clock.m_now >= m_nextFrame) {
        m_nextFrame += m_frameInterval;
        if (!Send(m_sim.NextFrame()) || !Deliver())
          return false;
      }
      m_pSession->Advance(m_clock.m_now);
      if (m_clock.m_now >= end)
        return Answer() && Deliver();
    }
  }

  CMeterSession &Session() { return *m_pSession; }
  CMeterSim m_sim;
  Ms m_frameInterval{250};
  CFakeSessionClock m_clock;
  CFakeScheduler m_sched;
  CComPortLink m_link{"/nonexistent-sysfs"};
  CDataStores m_stores;
  CEventLog m_log;
  std::vector<Received> m_received; // what the meter got, on the session's clock

private:
  // A meter talks to no one until the port is open; what it says then is lost.
  bool Send(const std::vector<std::uint8_t> &bytes) {
    if (bytes.empty() || !m_link.IsOpen())
      return true;
    m_nSent += bytes.size();
    return m_pty->WriteAll(bytes.data(), bytes.size());
  }
  // Reads what the session wrote to the meter and writes the meter's answer.
  bool Answer() {
    if (!m_pty || !m_pty->IsOpen())
      return true;
    pollfd p{m_pty->Fd(), POLLIN, 0};
    while (::poll(&p, 1, 0) > 0 && (p.revents & POLLIN)) {
      std::uint8_t buf[256];
      const ssize_t n = ::read(m_pty->Fd(), buf, sizeof buf);
      if (n <= 0)
        break;
      for (ssize_t i = 0; i < n; ++i)
        m_received.push_back({m_clock.m_now, buf[i]});
      if (!Send(m_sim.OnBytesReceived(buf, static_cast<std::size_t>(n))))
        return false;
    }
    return true;
  }
  // Waits (in real time, at most 5 s) until the session has every byte sent.
  bool Deliver() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (m_nDelivered < m_nSent) {
      pollfd p{m_queue.WakeFd(), POLLIN, 0};
      ::poll(&p, 1, 50);
      m_queue.Drain([this](const std::uint8_t *b, std::size_t n, CChunkQueue::Age) {
        m_nDelivered += n;
        m_pSession->OnChunk(b, n);
      });
      if (std::chrono::steady_clock::now() > deadline)
        return false;
    }
    return true;
  }

  CChunkQueue m_queue;
  std::unique_ptr<CPtyMaster> m_pty;
  std::unique_ptr<CMeterSession> m_pSession;
  Ms m_nextFrame{0};
  Ms m_nextSecond{1000};
  std::size_t m_nSent = 0;
  std::size_t m_nDelivered = 0;
};
