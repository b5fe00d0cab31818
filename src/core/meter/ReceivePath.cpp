#include "meter/ReceivePath.h"

#include "meter/HexText.h"
#include "meter/LiveFrame.h"
#include "records/LocalTimeText.h"

#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// A gap this long is the meter coming back, not its frame rate.
constexpr auto kLongestFrameGap = std::chrono::seconds(2);

void NoteFrameTimes(CLineTiming &st, SteadyTime tBegan, SteadyTime tDecoded) {
  const auto gap = tDecoded - st.m_tLastFrame;
  if (st.m_nFramesDecoded > 0 && gap > gap.zero() && gap < kLongestFrameGap)
    st.m_frameInterval = gap;
  st.m_tFrameBegan = tBegan;
  st.m_tLastFrame = tDecoded;
}

// A second frame start on a byte boundary inside a frame: no tag of a whole
// frame is 0xA5 0x0D.
std::size_t NextFrameStart(std::string_view frame) {
  for (std::size_t q = frame.find(kLiveFrameStart, 2); q != std::string_view::npos;
       q = frame.find(kLiveFrameStart, q + 1))
    if (q % 2 == 0)
      return q;
  return std::string_view::npos;
}

// Where a live frame starts (0xA5 0x0D) in a chunk, the start possibly
// split from the previous chunk; n when none does.
std::size_t LiveStartIn(const uint8_t *p, std::size_t n, bool bPrevEndedA5) {
  if (n > 0 && bPrevEndedA5 && p[0] == 0x0D)
    return 0;
  for (std::size_t i = 0; i + 1 < n; ++i)
    if (p[i] == 0xA5 && p[i + 1] == 0x0D)
      return i;
  return n;
}

// Keeps the last whole byte, so the text still starts on a byte and the
// markers are found on byte boundaries.
void CutUnframed(std::string &buf) {
  if (buf.size() > kMaxUnframedChars)
    buf.erase(0, buf.size() - 2);
}

} // namespace

CReceivePath::CReceivePath(IReceiveSink &sink, Clock clock) : m_sink(sink), m_clock(std::move(clock)) {}

void CReceivePath::ForgetMeter() {
  m_strRecv.clear();
  CMeterReading &st = m_reading;
  st.m_dLevel = 50.0;
  st.m_bHold = st.m_bOver = st.m_bShowLatched = st.m_bLatch = false;
  st.m_bFast = st.m_bMax = st.m_bMin = st.m_bRec = st.m_bUnder = false;
  st.m_bDataReceived = false;
  m_download.m_bDownloading = m_download.m_bLogHeader = false;
}

void CReceivePath::BeginDownload(SteadyTime tNow) {
  m_strRecv.clear(); // what is left of the live stream is no part of the download
  m_download.m_bDownloading = true;
  m_download.m_bLogHeader = false;
  m_bAwaitingEnd = false;
  m_tLastDownloadByte = tNow;
  m_bDownloadBegun = true;
  m_bLiveInDownload = false;
  m_bPrevEndedA5 = false;
}

bool CReceivePath::DownloadStalled(SteadyTime tNow) const {
  return m_bDownloadBegun && m_download.m_bDownloading && m_reading.m_bDataReceived &&
         tNow - m_tLastDownloadByte >= kDownloadStallLimit;
}

bool CReceivePath::AbandonDownload() {
  if (!m_bAwaitingEnd)
    return false;
  m_bAwaitingEnd = false;
  const std::string &buf = m_strRecv;
  std::size_t p = RFindHexByte(buf, "ac");
  std::string text;
  if (p != std::string::npos) {
    // Levels are BCD digits: a letter after them starts the next header.
    std::size_t levels = p + 2;
    std::size_t end = levels;
    while (end < buf.size() && buf[end] >= '0' && buf[end] <= '9')
      ++end;
    text = buf.substr(0, levels + (end - levels) / 4 * 4);
  }
  text += "dd";
  m_download.m_nRecvBytes = 0;
  m_download.m_bDownloading = false;
  m_sink.OnDownloadText(text);
  return true;
}

void CReceivePath::OnChunk(const uint8_t *p, std::size_t n, SteadyTime tArrived, std::time_t tWall) {
  m_download.m_nRecvBytes += static_cast<int>(n);
  m_strChunk.clear();
  AppendHex(m_strChunk, p, n);
  m_timing.m_tLastRecv = tWall;
  m_timing.m_tLastByte = tArrived;
  m_reading.m_bDataReceived = true;
  if (m_download.m_bDownloading)
    DownloadChunk(p, n, tArrived);
  else if (std::memchr(p, kHoldSignalByte, n))
    HoldSignal();
  else
    LiveAssembly(tArrived);
}

// The meter's hold signal is a chunk holding the byte 0xFF (a held meter
// puts one in every frame); the rest of the chunk is lost with it.
void CReceivePath::HoldSignal() {
  const bool bWasHeld = m_reading.m_bHold;
  m_reading.m_bHold = true;
  m_sink.OnHoldSignal();
  if (!bWasHeld)
    m_sink.OnReadoutRefresh(); // "HOLD" appears at once, not with the next frame
}

void CReceivePath::LiveAssembly(SteadyTime tArrived) {
  std::string &buf = m_strRecv;
  // Text put into or taken from the buffer by a download is dated now.
  if (m_marks.empty() ? !buf.empty() : m_marks.back().nEnd != m_nLiveBase + buf.size()) {
    m_marks.clear();
    m_nLiveBase = 0;
    if (!buf.empty())
      m_marks.push_back({buf.size(), tArrived});
  }
  buf += m_strChunk;
  m_marks.push_back({m_nLiveBase + buf.size(), tArrived});
  // Every whole frame is decoded as soon as its last byte is in.
  while (TakeLiveFrame(tArrived)) {
  }
}

bool CReceivePath::TakeLiveFrame(SteadyTime tNow) {
  std::string &buf = m_strRecv;
  std::size_t p = buf.find(kLiveFrameStart);
  if (p == std::string::npos) {
    if (buf.size() > kMaxUnframedChars)
      EraseLiveFront(buf.size() - kKeptOnCut);
    return false;
  }
  EraseLiveFront(p);
  if (buf.size() < kLiveFrameChars)
    return false;
  const std::string_view frame = std::string_view(buf).substr(0, kLiveFrameChars);
  if (std::size_t q = NextFrameStart(frame); q != std::string_view::npos) {
    // A frame cut off by the next one's start: only the next one is whole.
    EraseLiveFront(q);
    return true;
  }
  if (!HasDecimalLevel(frame)) {
    // Line noise that happens to hold a frame start; a real start cannot
    // overlap this one, so the search goes on after it.
    EraseLiveFront(kLiveFrameStart.size());
    return true;
  }
  const SteadyTime tBegan = m_marks.front().tArrived;
  DecodeLiveFrame(frame, m_reading, DatePrefix());
  EraseLiveFront(kLiveFrameChars);
  NoteFrameTimes(m_timing, tBegan, tNow);
  ++m_timing.m_nFramesDecoded;
  m_reading.m_bHold = false;
  m_download.m_nRecvBytes = 0;
  m_sink.OnReadoutRefresh();
  return true;
}

void CReceivePath::EraseLiveFront(std::size_t nChars) {
  if (nChars == 0)
    return;
  m_strRecv.erase(0, nChars);
  m_nLiveBase += nChars;
  while (!m_marks.empty() && m_marks.front().nEnd <= m_nLiveBase)
    m_marks.pop_front();
}

const std::string &CReceivePath::DatePrefix() {
  std::time_t now = m_timing.m_tLastRecv; // the clock as this chunk arrived
  if (now != m_tDate) {
    m_tDate = now;
    m_strDatePrefix.clear();
    AppendDateText(m_strDatePrefix, LocalCivilFields(now));
    m_strDatePrefix += ',';
  }
  return m_strDatePrefix;
}

// Live frames that arrive once the download has begun are not part of it:
// a meter back on its display stream has stopped sending its memory, so
// they are kept out of the download text, and they do not count as the
// download's bytes.
void CReceivePath::DownloadChunk(const uint8_t *p, std::size_t n, SteadyTime tArrived) {
  const bool bHadHeader = m_download.m_bLogHeader;
  const bool bPrevEndedA5 = std::exchange(m_bPrevEndedA5, n > 0 && p[n - 1] == 0xA5);
  if (bHadHeader) {
    const std::size_t nOwn = m_bLiveInDownload ? 0 : LiveStartIn(p, n, bPrevEndedA5);
    if (nOwn < n) {
      m_bLiveInDownload = true;
      m_strChunk.resize(2 * nOwn);
    }
    if (nOwn == 0)
      return;
  }
  DownloadAssembly();
  if (bHadHeader || m_download.m_bLogHeader)
    m_tLastDownloadByte = tArrived;
}

void CReceivePath::DownloadAssembly() {
  CDownloadProgress &st = m_download;
  m_strRecv += m_strChunk;
  if (st.m_bLogHeader) {
    m_sink.OnDownloadProgress(st.m_nLogSize & 0xFFFF, 10, st.m_nRecvBytes);
    if (FindHexByte(m_strChunk, "dd") != std::string::npos)
      HandDownload();
    return;
  }

  std::string &buf = m_strRecv;
  std::size_t p = FindHexByte(buf, "bb");
  if (p == std::string::npos) {
    CutUnframed(buf);
    return;
  }
  buf.erase(0, p);
  if (buf.size() < 6)
    return;
  long nWord = std::strtol(buf.substr(2, 4).c_str(), nullptr, 16);
  buf.erase(0, 6);
  st.m_nLogSize = static_cast<int>(nWord) - 98;
  st.m_nRecvBytes = static_cast<int>(buf.size() / 2);
  st.m_bLogHeader = true;
  m_bAwaitingEnd = true;
  if (st.m_nLogSize == 2) {
    m_bAwaitingEnd = false;
    // the meter's memory is empty
    st.m_bDownloading = false;
    m_sink.OnDownloadEnded();
    return;
  }
  if (FindHexByte(buf, "dd") != std::string::npos)
    HandDownload();
}

void CReceivePath::HandDownload() {
  std::string &buf = m_strRecv;
  std::size_t q = FindHexByte(buf, "dd");
  m_bAwaitingEnd = false;
  m_download.m_nRecvBytes = 0;
  m_download.m_bDownloading = false;
  m_sink.OnDownloadText(buf.substr(0, q + 2));
}
