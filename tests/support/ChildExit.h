#pragma once

#include <chrono>
#include <csignal>
#include <functional>
#include <sys/wait.h>
#include <thread>

// Polls `done` every 20 ms until it holds or `limit` has passed.
inline bool WaitFor(const std::function<bool()> &done, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end)
      return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// A child's wait status, or -1 when it has not ended within `limit` (it is
// then killed and reaped).
inline int WaitExit(pid_t pid, std::chrono::milliseconds limit) {
  int nStatus = 0;
  if (WaitFor([&] { return ::waitpid(pid, &nStatus, WNOHANG) == pid; }, limit))
    return nStatus;
  ::kill(pid, SIGKILL);
  ::waitpid(pid, &nStatus, 0);
  return -1;
}
