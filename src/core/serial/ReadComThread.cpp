#include "serial/ReadComThread.h"

#include "serial/SerialPort.h"

#include <cerrno>
#include <poll.h>
#include <sys/eventfd.h>
#include <system_error>
#include <unistd.h>

CReadComThread::CReadComThread(CSerialPort &port, CSink &sink) : m_port(port), m_sink(sink) {}

CReadComThread::~CReadComThread() {
  Stop();
}

bool CReadComThread::Start(CSerialError &error) {
  if (m_thread.joinable())
    return true;
  m_wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (m_wakeFd < 0) {
    error = MakeSerialError(ESerialError::Other, errno);
    return false;
  }
  try {
    m_thread = std::thread([this] { Run(); });
  } catch (const std::system_error &e) {
    // No exception leaves the serial layer: the opener reports this like any other failure.
    error = MakeSerialError(ESerialError::Other, e.code().value(), std::string("reader thread: ") + e.what());
    return false;
  }
  return true;
}

void CReadComThread::Stop() {
  if (m_thread.joinable()) {
    uint64_t one = 1;
    ssize_t n;
    do {
      n = ::write(m_wakeFd, &one, sizeof one);
    } while (n < 0 && errno == EINTR);
    m_thread.join();
  }
  if (m_wakeFd >= 0) {
    ::close(m_wakeFd);
    m_wakeFd = -1;
  }
}

void CReadComThread::Flush(CReadChunker &chunker) {
  while (!chunker.Empty()) {
    auto chunk = chunker.Take();
    m_sink.OnChunk(chunk.data(), static_cast<int>(chunk.size()));
  }
}

void CReadComThread::Run() {
  CReadChunker chunker(m_sink.ReadSize());
  unsigned char buf[2048];
  pollfd fds[2] = {{m_port.Fd(), POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
  CSerialError hangup;
  bool bHungUp = false;

  for (;;) {
    chunker.SetReadSize(m_sink.ReadSize());
    int nWait = chunker.WaitMs(CReadChunker::Clock::now());
    int r = ::poll(fds, 2, nWait);
    if (r < 0) {
      if (errno == EINTR)
        continue;
      hangup = MakeSerialError(ESerialError::Other, errno);
      bHungUp = true;
      break;
    }
    if (fds[1].revents != 0)
      break;

    short re = fds[0].revents;
    if (re & POLLIN) {
      ssize_t n = m_port.Read(buf, chunker.Room());
      if (n > 0) {
        chunker.Add(buf, static_cast<size_t>(n), CReadChunker::Clock::now());
      } else if (n < 0 && m_port.LastError().m_eReason == ESerialError::WouldBlock) {
        // another reader of the line took the bytes first; wait again
      } else if (n < 0) {
        hangup = m_port.LastError();
        hangup.m_eReason = ESerialError::HungUp;
        bHungUp = true;
        break;
      } else {
        // POLLIN and nothing to read: end of file, the peer is gone.
        hangup = MakeSerialError(ESerialError::HungUp, 0, "end of file on " + m_port.Device());
        bHungUp = true;
        break;
      }
    } else if (re & (POLLHUP | POLLERR | POLLNVAL)) {
      hangup = MakeSerialError(ESerialError::HungUp, 0, m_port.Device() + " hung up");
      bHungUp = true;
      break;
    }

    auto now = CReadChunker::Clock::now();
    while (chunker.Ready(now)) {
      auto chunk = chunker.Take();
      m_sink.OnChunk(chunk.data(), static_cast<int>(chunk.size()));
    }
  }
  // Bytes that made it in before a hang-up are still the meter's; after a
  // Stop nobody wants them, and the closer is waiting in join().
  if (bHungUp) {
    Flush(chunker);
    m_sink.OnHangup(hangup);
  }
}
