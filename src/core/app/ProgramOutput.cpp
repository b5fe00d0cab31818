#include "app/ProgramOutput.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

void IgnoreBrokenPipes() {
  std::signal(SIGPIPE, SIG_IGN);
}

bool FlushOutput(const char *program) {
  errno = 0;
  if (std::fflush(stdout) == 0 && !std::ferror(stdout))
    return true;
  const int nErr = errno ? errno : EIO;
  std::clearerr(stdout);
  std::fprintf(stderr, "%s: cannot write the output: %s\n", program, std::strerror(nErr));
  return false;
}
