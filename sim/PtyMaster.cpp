#include "sim/PtyMaster.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

CPtyMaster::~CPtyMaster() {
  Close();
}

bool CPtyMaster::Open() {
  Close();
  m_strError.clear();
  int fd = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    m_strError = std::string("posix_openpt: ") + std::strerror(errno);
    return false;
  }
  char name[128];
  termios tio{};
  if (::grantpt(fd) != 0 || ::unlockpt(fd) != 0 || ::ptsname_r(fd, name, sizeof name) != 0 ||
      ::tcgetattr(fd, &tio) != 0) {
    m_strError = std::string("pseudo-terminal: ") + std::strerror(errno);
    ::close(fd);
    return false;
  }
  // Raw before the first byte: the slave's line discipline would rewrite them.
  ::cfmakeraw(&tio);
  if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
    m_strError = std::string("raw mode: ") + std::strerror(errno);
    ::close(fd);
    return false;
  }
  m_fd = fd;
  m_strSlave = name;
  return true;
}

void CPtyMaster::Close() {
  if (m_fd >= 0) {
    ::close(m_fd);
    m_fd = -1;
  }
}

int CPtyMaster::SlaveNumber() const {
  auto pos = m_strSlave.find_last_not_of("0123456789");
  if (pos == std::string::npos || pos + 1 >= m_strSlave.size())
    return -1;
  return std::atoi(m_strSlave.c_str() + pos + 1);
}

bool CPtyMaster::WriteAll(const void *pData, size_t nCount) {
  const auto *p = static_cast<const unsigned char *>(pData);
  while (nCount > 0) {
    if (m_fd < 0)
      return false;
    ssize_t n = ::write(m_fd, p, nCount);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      if (errno == EAGAIN) {
        pollfd pfd{m_fd, POLLOUT, 0};
        ::poll(&pfd, 1, 100);
        continue;
      }
      m_strError = std::string("write: ") + std::strerror(errno);
      return false;
    }
    p += n;
    nCount -= static_cast<size_t>(n);
  }
  return true;
}
