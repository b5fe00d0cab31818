// tarvik-logger: unattended logging of the meter to daily data files, with
// standard output and a message broker for whoever else wants the levels.
#include "TarvikVersion.h"
#include "app/ProgramOutput.h"
#include "logger/LoggerRun.h"
#include "logger/RunLogger.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

// Writes everything or reports whether the reader went away.
bool WriteAll(int fd, std::string_view s) {
  while (!s.empty()) {
    ssize_t n = ::write(fd, s.data(), s.size());
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      return false;
    s.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

} // namespace

int main(int argc, char **argv) {
  IgnoreBrokenPipes(); // a reader of standard output that goes away is an error of the write
  CLoggerOptionsResult parsed = ParseLoggerOptions(argc, argv);
  if (!parsed.Ok()) {
    std::fprintf(stderr, "tarvik-logger: %s\n%s", parsed.strError.c_str(), LoggerUsage().c_str());
    return kExitUsage;
  }
  if (parsed.options.bHelp) {
    std::fputs(LoggerUsage().c_str(), stdout);
    return FlushOutput("tarvik-logger") ? kExitDone : kExitOutput;
  }
  if (parsed.options.bVersion) {
    std::printf("tarvik-logger %s\n", kTarvikVersion);
    return FlushOutput("tarvik-logger") ? kExitDone : kExitOutput;
  }

  // SIGINT and SIGTERM arrive as a descriptor the main loop polls, so a
  // stop never interrupts a write half-way.
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  sigprocmask(SIG_BLOCK, &set, nullptr);
  int nStopFd = ::signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
  // A file size limit is a full disk to the logger: told, and lived through.
  std::signal(SIGXFSZ, SIG_IGN);

  CLoggerEnv env;
  env.nStopFd = nStopFd;
  bool bOutGone = false;
  env.out = [&](std::string_view s) {
    if (!bOutGone && !WriteAll(STDOUT_FILENO, s)) {
      bOutGone = true;
      WriteAll(STDERR_FILENO, "tarvik-logger: standard output is closed; logging to the file goes on\n");
    }
  };
  env.err = [](std::string_view s) { WriteAll(STDERR_FILENO, s); };
  env.bTerminal = ::isatty(STDERR_FILENO) == 1;
  // Taken out of the environment so no child or crash report inherits it.
  if (const char *pw = std::getenv("TARVIK_MQTT_PASSWORD")) {
    env.mqttPassword = pw;
    ::unsetenv("TARVIK_MQTT_PASSWORD");
  }
  int nExit = RunLogger(parsed.options, env);
  if (nStopFd >= 0)
    ::close(nStopFd);
  return nExit;
}
