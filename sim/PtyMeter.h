#pragma once

#include "serial/PortEnumerator.h"
#include "sim/MeterSim.h"
#include "sim/PtyMaster.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <ctime>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The simulated meter on a pseudo-terminal, in real time: a thread streams
// CMeterSim's live frames every frame interval, advances its clock, reads
// key codes and the download request from the line and writes the answers.
// A port opens SlavePath() (or number SlaveNumber() through "/dev/pts/%d").
class CPtyMeter {
public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds kDefaultFrameInterval{250};

  struct CReceived {
    Clock::time_point m_time;
    uint8_t m_byte;
  };

  CPtyMeter();
  CPtyMeter(const CPtyMeter &) = delete;
  CPtyMeter &operator=(const CPtyMeter &) = delete;
  ~CPtyMeter();

  // The computer's clock as the meter reads it when it starts; tests give a
  // fixed one. Defaults to the system clock.
  using WallClock = std::function<std::time_t()>;
  void SetWallClock(WallClock clock) { m_wallClock = std::move(clock); }

  // Opens the pseudo-terminal and starts the meter, its date and time of
  // day set from the wall clock (local time); false with Error().
  bool Start();
  // Stops the thread and closes the master (the port sees a hang-up).
  void Stop();
  const std::string &SlavePath() const { return m_pty.SlavePath(); }
  int SlaveNumber() const { return m_pty.SlaveNumber(); }
  const std::string &Error() const { return m_strError; }
  // The terminal as discovery lists it: described as the meter's bridge,
  // numbered for the "/dev/pts/%d" port template.
  CPortInfo PortInfo() const;

  // Changes the meter under its lock: levels, recordings, keys, hold, time.
  void WithSim(const std::function<void(CMeterSim &)> &fn);
  void SetFrameInterval(std::chrono::milliseconds interval);
  // Falling silent: no frames and no answers until Talk().
  void FallSilent();
  void Talk();
  // Hanging up: the master is closed, as when the cable is pulled.
  void HangUp() { Stop(); }

  // Bytes the meter got from the computer, with their arrival times.
  std::vector<CReceived> Received() const;
  // Waits until at least n bytes have come in; false on time-out.
  bool WaitReceived(size_t n, std::chrono::milliseconds timeout) const;
  // Frames written so far.
  int FramesSent() const;
  // Waits until the frame count passes n; false on time-out.
  bool WaitFrames(int n, std::chrono::milliseconds timeout) const;

private:
  void Run();
  void Wake();
  void SendFrame();
  void Queue(const std::vector<uint8_t> &bytes, bool bDropWhenBacklogged);
  void Flush();

  CPtyMaster m_pty;
  int m_slaveKeeper = -1; // keeps the master from seeing a hang-up while no port is open
  int m_wakeFd = -1;
  std::thread m_thread;
  std::string m_strError;

  mutable std::mutex m_mutex;
  mutable std::condition_variable m_cv;
  CMeterSim m_sim;
  WallClock m_wallClock = [] { return std::time(nullptr); };
  std::chrono::milliseconds m_frameInterval = kDefaultFrameInterval;
  bool m_bStop = false;
  std::vector<CReceived> m_received;
  int m_nFrames = 0;
  std::deque<uint8_t> m_out; // written by the meter thread only
};
