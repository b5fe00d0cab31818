#pragma once

#include <string>

// The meter's end of a pseudo-terminal: the master descriptor, in raw mode so
// the line discipline passes the meter's bytes unchanged (no 0x0D -> 0x0A, no
// 0x11/0x13 flow control), and the path of the slave a port opens.
class CPtyMaster {
public:
  CPtyMaster() = default;
  CPtyMaster(const CPtyMaster &) = delete;
  CPtyMaster &operator=(const CPtyMaster &) = delete;
  ~CPtyMaster();

  // Opens a new pseudo-terminal; false with the reason in Error().
  bool Open();
  // Closing the master is the meter hanging up: the slave sees POLLHUP and EIO.
  void Close();
  bool IsOpen() const { return m_fd >= 0; }
  int Fd() const { return m_fd; }
  const std::string &SlavePath() const { return m_strSlave; }
  // The number of /dev/pts/N, for ports opened through the "/dev/pts/%d" template.
  int SlaveNumber() const;
  const std::string &Error() const { return m_strError; }

  // Writes all bytes (blocking briefly while the slave's queue is full); false on failure.
  bool WriteAll(const void *pData, size_t nCount);

private:
  int m_fd = -1;
  std::string m_strSlave;
  std::string m_strError;
};
