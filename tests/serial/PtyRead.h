#pragma once

#include <chrono>
#include <poll.h>
#include <unistd.h>
#include <vector>

// Reads what the port wrote to the meter's end until nBytes or the time-out.
inline std::vector<unsigned char>
ReadMaster(int fd, size_t nBytes, std::chrono::milliseconds timeout = std::chrono::milliseconds(2000)) {
  std::vector<unsigned char> out;
  auto deadline = std::chrono::steady_clock::now() + timeout;
  while (out.size() < nBytes) {
    auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now())
            .count();
    if (left <= 0)
      break;
    pollfd pfd{fd, POLLIN, 0};
    if (::poll(&pfd, 1, static_cast<int>(left)) <= 0 || !(pfd.revents & POLLIN))
      break;
    unsigned char buf[4096];
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n <= 0)
      break;
    out.insert(out.end(), buf, buf + n);
  }
  return out;
}
