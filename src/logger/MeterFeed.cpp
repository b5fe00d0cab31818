#include "logger/MeterFeed.h"

#include "session/MonitorRun.h"
#include "protocol/CommandSet.h"
#include "serial/OpenFailureText.h"

#include <sys/eventfd.h>
#include <unistd.h>

namespace {
constexpr int kBaud = 9600, kParityNone = 2, kDataBits = 8, kOneStopBit = 0, kNoFlow = 0, kReadMode = 2;
}

CMeterFeed::CMeterFeed(CSetup setup, IMeterFeedObserver &observer)
    : m_setup(std::move(setup)), m_observer(observer), m_discovery(m_setup.strSysfsRoot),
      m_path(*this, [this] { return WallSeconds(); }),
      m_tickPeriod(std::chrono::duration_cast<std::chrono::nanoseconds>(
          std::chrono::duration<double>(m_setup.dRate))) {
  m_wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (!m_setup.strPortTemplate.empty())
    m_port.SetPortTemplate(m_setup.strPortTemplate);
  m_port.SetReceiveCallback([this](const unsigned char *p, int n) {
    {
      std::lock_guard lock(m_mutex);
      m_pending.insert(m_pending.end(), p, p + n);
    }
    std::uint64_t one = 1;
    [[maybe_unused]] ssize_t w = ::write(m_wakeFd, &one, sizeof one);
  });
  m_port.SetHangupCallback([this](const CSerialError &error) {
    {
      std::lock_guard lock(m_mutex);
      m_strHangup = error.m_strText;
    }
    m_bHungUp = true;
    std::uint64_t one = 1;
    [[maybe_unused]] ssize_t w = ::write(m_wakeFd, &one, sizeof one);
  });
}

CMeterFeed::~CMeterFeed() {
  m_port.Close();
  if (m_wakeFd >= 0)
    ::close(m_wakeFd);
}

std::time_t CMeterFeed::WallSeconds() const {
  return std::chrono::system_clock::to_time_t(m_setup.wallClock());
}

void CMeterFeed::TryOpen(SteadyClock::time_point now) {
  m_nextOpen = now + kReopenEvery;
  std::string strDevice = m_setup.strDevice;
  int nPort = -1;
  if (strDevice.empty()) {
    CDiscoveryStep step = m_discovery.DiscoverPort();
    if (step.m_eAction != CDiscoveryStep::OpenPort) {
      m_observer.OnWaiting("waiting for a CP210x bridge to be plugged in");
      return;
    }
    nPort = step.m_nPort;
    strDevice = CSerialPort::PortDevice(m_port.PortTemplate(), nPort);
  }
  // A symbolic link is followed afresh at every open, so a by-id name finds
  // the device again whatever node it comes back as.
  bool bOk = m_port.Open(strDevice, kReadMode, kBaud, kParityNone, kDataBits, kOneStopBit, kNoFlow);
  if (!bOk) {
    m_observer.OnWaiting("waiting for " + strDevice + " (" +
                         OpenFailureReason(strDevice, m_port.LastError()) + ")");
    return;
  }
  m_bHungUp = false;
  m_strDevice = strDevice;
  m_lastBytes = now; // silence is counted from the open
  m_observer.OnWaiting("port " + strDevice + " open, waiting for the meter");
}

void CMeterFeed::ClosePort() {
  m_port.Close();
  std::lock_guard lock(m_mutex);
  m_pending.clear();
}

void CMeterFeed::DrainChunks() {
  std::uint64_t n = 0;
  [[maybe_unused]] ssize_t r = ::read(m_wakeFd, &n, sizeof n);
  {
    std::lock_guard lock(m_mutex);
    m_taking.swap(m_pending);
  }
  if (m_taking.empty())
    return;
  // The reader's chunk boundaries are not kept: the receive path gets the
  // bytes in pieces of the port's read size, as it would from the reader.
  for (std::size_t i = 0; i < m_taking.size(); i += CComPort::kMeterReadSize) {
    std::size_t len = std::min<std::size_t>(CComPort::kMeterReadSize, m_taking.size() - i);
    m_path.OnChunk(m_taking.data() + i, len);
  }
  m_taking.clear();
}

void CMeterFeed::Advance(SteadyClock::time_point now) {
  if (m_nextTick == SteadyClock::time_point{})
    m_nextTick = now + m_tickPeriod;
  bool bBytes = false;
  {
    std::lock_guard lock(m_mutex);
    bBytes = !m_pending.empty();
  }
  DrainChunks();
  if (bBytes)
    m_lastBytes = now;
  // Heard as soon as bytes arrive, as the program counts a meter present;
  // a held display sends no frame that decodes, but it is there.
  if (bBytes && !m_bHeard) {
    m_bHeard = true;
    m_observer.OnMeterFound(m_strDevice);
  }
  if (m_bHungUp.exchange(false)) {
    std::string why;
    {
      std::lock_guard lock(m_mutex);
      why = m_strHangup;
    }
    ClosePort();
    if (m_bHeard) {
      m_bHeard = false;
      m_observer.OnMeterLost(m_strDevice + " went away" + (why.empty() ? "" : " (" + why + ")"));
    }
    if (m_eDownload != EDownload::None && m_eDownload != EDownload::Done) {
      m_path.AbandonDownload();
      m_bDownloadFailed = true;
      m_eDownload = EDownload::Done;
    }
    m_nextOpen = now + kReopenEvery;
  }
  if (!m_port.IsOpen() && now >= m_nextOpen)
    TryOpen(now);
  if (m_port.IsOpen() && now - m_lastBytes >= kSilence) {
    if (m_bHeard) {
      m_bHeard = false;
      m_observer.OnMeterLost("the meter fell silent");
    }
    if (m_eDownload == EDownload::Receiving) {
      m_path.AbandonDownload();
      m_bDownloadFailed = true;
      m_eDownload = EDownload::Done;
    }
  }
  if (m_eDownload != EDownload::None)
    DownloadStep(now);
  else if (now >= m_nextTick)
    Sample(now);
}

void CMeterFeed::Sample(SteadyClock::time_point now) {
  while (m_nextTick <= now)
    m_nextTick += m_tickPeriod;
  const CMeterState &st = m_path.State();
  // No sample is invented, by the rule of a monitoring run: a tick without
  // a fresh reading, a held display or a silent meter records nothing.
  if (!m_bHeard || st.m_bHold || !HasFreshReading(st, now))
    return;
  m_observer.OnSample(m_setup.wallClock(), st);
}

void CMeterFeed::BeginDownload() {
  m_eDownload = EDownload::Requesting;
  m_logDecode.m_nLogGroup = 0;
  m_downloaded.RemoveAll();
  m_bDownloadFailed = false;
  m_downloadStart = SteadyClock::time_point{};
}

void CMeterFeed::DownloadStep(SteadyClock::time_point now) {
  if (m_eDownload == EDownload::Done || !m_port.IsOpen() || !m_bHeard)
    return;
  if (m_downloadStart == SteadyClock::time_point{}) {
    // Only a meter that is heard is asked: its live frames come first.
    m_downloadStart = now;
    m_path.BeginDownload();
  }
  if (now - m_downloadStart >= kDownloadWatchdog) {
    m_path.AbandonDownload();
    m_bDownloadFailed = true;
    m_eDownload = EDownload::Done;
    return;
  }
  if (m_eDownload == EDownload::Requesting) {
    if (m_path.State().m_bLogHeader) {
      m_eDownload = EDownload::Receiving;
    } else if (now >= m_nextRequest) {
      m_port.Write(kDownloadRequest, sizeof kDownloadRequest);
      m_nextRequest = now + std::chrono::milliseconds(kDownloadRequestRepeatMs);
    }
  }
}

CMeterFeed::SteadyClock::time_point CMeterFeed::NextDeadline() const {
  SteadyClock::time_point next = m_nextTick;
  if (m_eDownload == EDownload::Requesting && m_nextRequest < next)
    next = m_nextRequest;
  if (!m_port.IsOpen() && m_nextOpen < next)
    next = m_nextOpen;
  if (m_port.IsOpen() && m_bHeard && m_lastBytes + kSilence < next)
    next = m_lastBytes + kSilence;
  return next;
}

void CMeterFeed::OnDownloadEnded() {
  if (m_eDownload != EDownload::None)
    m_eDownload = EDownload::Done;
}

void CMeterFeed::OnDownloadProgress(int nUpper, int, int nPos) {
  m_observer.OnDownloadProgress(nPos, nUpper);
}

void CMeterFeed::OnDownloadText(const std::string &strText) {
  ParseLogData(strText, m_logDecode, m_downloaded, m_path.State(), *this);
}
