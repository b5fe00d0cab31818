#include "sim/PtyMeter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <system_error>
#include <unistd.h>

namespace {
// Bytes nobody reads pile up in the terminal; a real meter's are lost too.
constexpr size_t kMaxBacklog = 2048;
} // namespace

CPtyMeter::CPtyMeter() = default;

CPtyMeter::~CPtyMeter() {
  Stop();
}

bool CPtyMeter::Start() {
  Stop();
  if (!m_pty.Open()) {
    m_strError = m_pty.Error();
    return false;
  }
  m_slaveKeeper = ::open(m_pty.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  m_wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  int nFlags = ::fcntl(m_pty.Fd(), F_GETFL);
  if (m_slaveKeeper < 0 || m_wakeFd < 0 || nFlags < 0 ||
      ::fcntl(m_pty.Fd(), F_SETFL, nFlags | O_NONBLOCK) != 0) {
    m_strError = std::string("pseudo-terminal: ") + std::strerror(errno);
    Stop();
    return false;
  }
  {
    std::lock_guard lock(m_mutex);
    m_bStop = false;
    // A meter whose clock was set from the computer's, as the user does;
    // the thread then moves it on one second per second.
    std::time_t now = m_wallClock();
    std::tm tm{};
    localtime_r(&now, &tm);
    m_sim.SetDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
    m_sim.SetTimeOfDay(tm.tm_hour, tm.tm_min, tm.tm_sec);
  }
  try {
    m_thread = std::thread([this] { Run(); });
  } catch (const std::system_error &e) {
    m_strError = std::string("meter thread: ") + e.what();
    Stop();
    return false;
  }
  return true;
}

void CPtyMeter::Stop() {
  if (m_thread.joinable()) {
    {
      std::lock_guard lock(m_mutex);
      m_bStop = true;
    }
    Wake();
    m_thread.join();
  }
  m_pty.Close();
  if (m_slaveKeeper >= 0)
    ::close(m_slaveKeeper);
  if (m_wakeFd >= 0)
    ::close(m_wakeFd);
  m_slaveKeeper = m_wakeFd = -1;
  m_out.clear();
}

CPortInfo CPtyMeter::PortInfo() const {
  CPortInfo info;
  info.m_strDevice = SlavePath();
  info.m_strName = info.m_strDevice.substr(info.m_strDevice.find_last_of('/') + 1);
  info.m_nNumber = SlaveNumber();
  info.m_strDescription = kBridgeDescription;
  info.m_strDriver = "pty";
  return info;
}

void CPtyMeter::Wake() {
  if (m_wakeFd < 0)
    return;
  uint64_t one = 1;
  while (::write(m_wakeFd, &one, sizeof one) < 0 && errno == EINTR) {
  }
}

void CPtyMeter::WithSim(const std::function<void(CMeterSim &)> &fn) {
  std::lock_guard lock(m_mutex);
  fn(m_sim);
}

void CPtyMeter::SetFrameInterval(std::chrono::milliseconds interval) {
  {
    std::lock_guard lock(m_mutex);
    m_frameInterval = interval < std::chrono::milliseconds(1) ? std::chrono::milliseconds(1) : interval;
  }
  Wake();
}

void CPtyMeter::FallSilent() {
  WithSim([](CMeterSim &s) { s.PowerOff(); });
}

void CPtyMeter::Talk() {
  WithSim([](CMeterSim &s) { s.PowerOn(); });
  Wake();
}

std::vector<CPtyMeter::CReceived> CPtyMeter::Received() const {
  std::lock_guard lock(m_mutex);
  return m_received;
}

bool CPtyMeter::WaitReceived(size_t n, std::chrono::milliseconds timeout) const {
  std::unique_lock lock(m_mutex);
  return m_cv.wait_for(lock, timeout, [&] { return m_received.size() >= n; });
}

int CPtyMeter::FramesSent() const {
  std::lock_guard lock(m_mutex);
  return m_nFrames;
}

bool CPtyMeter::WaitFrames(int n, std::chrono::milliseconds timeout) const {
  std::unique_lock lock(m_mutex);
  return m_cv.wait_for(lock, timeout, [&] { return m_nFrames > n; });
}

void CPtyMeter::Queue(const std::vector<uint8_t> &bytes, bool bDropWhenBacklogged) {
  if (bDropWhenBacklogged && m_out.size() > kMaxBacklog)
    return;
  m_out.insert(m_out.end(), bytes.begin(), bytes.end());
}

void CPtyMeter::Flush() {
  while (!m_out.empty()) {
    uint8_t buf[512];
    size_t n = 0;
    for (; n < sizeof buf && n < m_out.size(); ++n)
      buf[n] = m_out[n];
    ssize_t w = ::write(m_pty.Fd(), buf, n);
    if (w < 0 && errno == EINTR)
      continue;
    if (w <= 0)
      return; // full: poll() says when there is room again
    m_out.erase(m_out.begin(), m_out.begin() + w);
  }
}

void CPtyMeter::SendFrame() {
  std::vector<uint8_t> frame;
  {
    std::lock_guard lock(m_mutex);
    frame = m_sim.NextFrame();
    if (!frame.empty())
      ++m_nFrames;
  }
  m_cv.notify_all();
  Queue(frame, true);
}

void CPtyMeter::Run() {
  auto nextFrame = Clock::now();
  auto nextSecond = Clock::now() + std::chrono::seconds(1);
  for (;;) {
    std::chrono::milliseconds interval;
    {
      std::lock_guard lock(m_mutex);
      if (m_bStop)
        break;
      interval = m_frameInterval;
    }
    auto now = Clock::now();
    if (now >= nextSecond) {
      WithSim([](CMeterSim &s) { s.AdvanceSeconds(1); });
      nextSecond += std::chrono::seconds(1);
    }
    if (now >= nextFrame) {
      SendFrame();
      nextFrame = now + interval;
    }
    Flush();

    auto wait = std::min(nextFrame, nextSecond) - Clock::now();
    int nWaitMs =
        std::max<int>(0, static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(wait).count()));
    pollfd fds[2] = {{m_pty.Fd(), static_cast<short>(POLLIN | (m_out.empty() ? 0 : POLLOUT)), 0},
                     {m_wakeFd, POLLIN, 0}};
    int r = ::poll(fds, 2, std::min(nWaitMs, static_cast<int>(interval.count())));
    if (r < 0 && errno != EINTR)
      break;
    if (r <= 0)
      continue;
    if (fds[1].revents & POLLIN) {
      uint64_t v;
      while (::read(m_wakeFd, &v, sizeof v) > 0) {
      }
      // A new interval starts now rather than after the old one.
      nextFrame = std::min(nextFrame, Clock::now() + interval);
    }
    if (fds[0].revents & POLLIN) {
      uint8_t buf[256];
      ssize_t n = ::read(m_pty.Fd(), buf, sizeof buf);
      if (n > 0) {
        std::vector<uint8_t> answer;
        {
          std::lock_guard lock(m_mutex);
          auto t = Clock::now();
          for (ssize_t i = 0; i < n; ++i)
            m_received.push_back({t, buf[i]});
          answer = m_sim.OnBytesReceived(buf, static_cast<size_t>(n));
        }
        m_cv.notify_all();
        Queue(answer, false);
      }
    }
  }
}
