#include "protocol/ReceivePath.h"

#include "protocol/HexText.h"
#include "protocol/LiveFrame.h"

#include <cstdio>
#include <cstdlib>

namespace {

void CutUnframed(std::string &buf) {
  if (buf.size() > kMaxUnframedChars)
    buf.erase(0, buf.size() - kKeptOnCut);
}

} // namespace

CReceivePath::CReceivePath(IReceiveSink &sink, Clock clock) : m_sink(sink), m_clock(std::move(clock)) {}

void CReceivePath::BeginDownload() {
  m_state.m_bDownloading = true;
  m_state.m_bLogHeader = false;
  m_bAwaitingEnd = false;
}

bool CReceivePath::AbandonDownload() {
  if (!m_bAwaitingEnd)
    return false;
  m_bAwaitingEnd = false;
  const std::string &buf = m_state.m_strRecv;
  std::size_t p = buf.rfind("ac");
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
  m_state.m_nRecvBytes = 0;
  m_sink.OnDownloadText(text);
  return true;
}

void CReceivePath::OnChunk(const uint8_t *p, std::size_t n) {
  m_state.m_nRecvBytes += static_cast<int>(n);
  m_strChunk.clear();
  AppendHex(m_strChunk, p, n);
  m_state.m_tLastRecv = m_clock();
  m_state.m_bDataReceived = true;
  if (m_state.m_bDownloading)
    DownloadAssembly();
  else
    LiveAssembly();
}

void CReceivePath::LiveAssembly() {
  CMeterState &st = m_state;
  if (m_strChunk.find("ff") != std::string::npos) {
    // The hold signal; the rest of the chunk is lost with it.
    st.m_bHold = true;
    if (st.m_bRunning)
      m_sink.OnHoldSignal();
    st.m_bRecvFlag = false;
    return;
  }
  st.m_strRecv += m_strChunk;
  if (st.m_strRecv.size() < kLiveFrameChars)
    return;
  st.m_bHold = false;
  ParseLiveData(m_strChunk);
  st.m_nRecvBytes = 0;
  st.m_bRecvFlag = false;
}

// A frame is decoded only once more text follows it, so a frame cut in two
// is never taken for whole.
void CReceivePath::ParseLiveData(const std::string &strChunk) {
  std::string &buf = m_state.m_strRecv;
  if (buf.size() < kLiveFrameChars)
    return;
  std::size_t p = buf.find("a50d");
  if (p == std::string::npos) {
    CutUnframed(buf);
    return;
  }
  if (p > 0) {
    buf.erase(0, p);
    if (buf.size() >= kLiveFrameChars)
      m_sink.OnReadoutRefresh();
    return;
  }
  if (buf.size() == kLiveFrameChars) {
    buf = strChunk;
    m_sink.OnReadoutRefresh();
    return;
  }
  DecodeLiveFrame(std::string_view(buf).substr(0, kLiveFrameChars), m_state, DatePrefix());
  buf.erase(0, kLiveFrameChars);
  ++m_state.m_nFramesDecoded;
  m_sink.OnReadoutRefresh();
}

const std::string &CReceivePath::DatePrefix() {
  std::time_t now = m_state.m_tLastRecv; // the clock as this chunk arrived
  if (now != m_tDate) {
    m_tDate = now;
    std::tm tm{};
    localtime_r(&now, &tm);
    char text[32];
    std::snprintf(text, sizeof text, "%.2d-%.2d-%d,", tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900);
    m_strDatePrefix = text;
  }
  return m_strDatePrefix;
}

void CReceivePath::DownloadAssembly() {
  CMeterState &st = m_state;
  st.m_strRecv += m_strChunk;
  if (st.m_bLogHeader) {
    m_sink.OnDownloadProgress(st.m_nLogSize & 0xFFFF, 10, st.m_nRecvBytes);
    if (m_strChunk.find("dd") != std::string::npos)
      HandDownload();
    st.m_bRecvFlag = false;
    return;
  }

  std::string &buf = st.m_strRecv;
  std::size_t p = buf.find("bb");
  if (p == std::string::npos) {
    CutUnframed(buf);
    st.m_bRecvFlag = false;
    return;
  }
  buf.erase(0, p);
  if (buf.size() < 6) {
    st.m_bRecvFlag = false;
    return;
  }
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
  if (buf.find("dd") != std::string::npos)
    HandDownload();
  st.m_bRecvFlag = false;
}

void CReceivePath::HandDownload() {
  std::string &buf = m_state.m_strRecv;
  std::size_t q = buf.find("dd");
  m_bAwaitingEnd = false;
  m_state.m_nRecvBytes = 0;
  m_sink.OnDownloadText(buf.substr(0, q + 2));
}
