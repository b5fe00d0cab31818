#pragma once

#include "files/TempDir.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char **environ;

// A program run as a child, its standard output and error in files.
class CChildProcess {
public:
  CChildProcess(const std::string &strDir, std::vector<std::string> args) : m_strDir(strDir) {
    std::vector<char *> argv;
    for (auto &a : args)
      argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&fa, STDOUT_FILENO, OutPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&fa, STDERR_FILENO, ErrPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    if (posix_spawn(&m_pid, argv[0], &fa, nullptr, argv.data(), environ) != 0)
      m_pid = -1;
    posix_spawn_file_actions_destroy(&fa);
  }
  ~CChildProcess() {
    if (m_pid > 0 && !m_bReaped) {
      ::kill(m_pid, SIGKILL);
      Wait();
    }
  }
  bool Started() const { return m_pid > 0; }
  void Signal(int nSig) { ::kill(m_pid, nSig); }
  // The exit code, or 128 + the signal; -1 when it did not end in time.
  int Wait(std::chrono::milliseconds timeout = std::chrono::seconds(30)) {
    auto end = std::chrono::steady_clock::now() + timeout;
    while (!m_bReaped) {
      int status = 0;
      pid_t r = ::waitpid(m_pid, &status, WNOHANG);
      if (r == m_pid) {
        m_bReaped = true;
        m_nExit = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        break;
      }
      if (std::chrono::steady_clock::now() > end)
        return -1;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return m_nExit;
  }
  std::string Out() const { return Slurp(OutPath()); }
  std::string Err() const { return Slurp(ErrPath()); }
  pid_t Pid() const { return m_pid; }

private:
  std::string OutPath() const {
    return m_strDir + "/child-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + ".out";
  }
  std::string ErrPath() const {
    return m_strDir + "/child-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + ".err";
  }

  std::string m_strDir;
  pid_t m_pid = -1;
  bool m_bReaped = false;
  int m_nExit = -1;
};

// Polls `cond` every 20 ms until it holds or `timeout` passes.
template <class F> bool WaitFor(F cond, std::chrono::milliseconds timeout) {
  auto end = std::chrono::steady_clock::now() + timeout;
  while (!cond()) {
    if (std::chrono::steady_clock::now() > end)
      return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}
