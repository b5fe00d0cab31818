// Random chunks into the receive path, in live and download mode, with the
// framed downloads decoded as the view would. Input layout: one flags byte,
// then pieces of one length byte and up to 20 data bytes; a length byte
// with its top bit set also starts a download, one with the next bit set
// abandons the download under way first (the silence or the watchdog).
#include "meter/LogParser.h"
#include "meter/ReceivePath.h"
#include "records/SampleStore.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

struct CFuzzSink : IReceiveSink {
  CReceivePath *m_pPath = nullptr;
  CLogDecodeState m_dec;
  CSampleStore m_store;
  void OnHoldSignal() override {}
  void OnDownloadEnded() override {}
  void OnDownloadProgress(int, int, int) override {}
  void OnReadoutRefresh() override {}
  void OnDownloadText(const std::string &strText) override { ParseLogData(strText, m_dec, m_store, *this); }
};

bool Contains(const std::string &s, const char *what) {
  return s.find(what) != std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
  if (size == 0)
    return 0;
  CFuzzSink sink;
  CReceivePath path(sink, [] { return std::time_t(1796644800); });
  sink.m_pPath = &path;
  CMeterReading &st = path.Reading();
  if (data[0] & 2)
    path.BeginDownload();

  std::size_t at = 1;
  while (at < size) {
    uint8_t len = data[at++];
    if ((len & 0x40) && path.AbandonDownload() && path.Progress().m_bDownloading)
      std::abort();
    if (len & 0x80)
      path.BeginDownload();
    std::size_t n = std::min<std::size_t>((len & 0x3F) % 20 + 1, size - at);
    if (n == 0)
      break;
    bool bLive = !path.Progress().m_bDownloading;
    bool bWaitingHeader = path.Progress().m_bDownloading && !path.Progress().m_bLogHeader;
    path.OnChunk(data + at, n);
    at += n;
    // Text without a frame start or a header never piles up.
    if (bLive && !path.Progress().m_bDownloading && !Contains(path.Buffer(), "a50d") &&
        path.Buffer().size() > kMaxUnframedChars)
      std::abort();
    if (bWaitingHeader && !path.Progress().m_bLogHeader && path.Buffer().size() > kMaxUnframedChars)
      std::abort();
    if (st.m_nRange < 1 || st.m_nRange > 4)
      std::abort();
  }
  return 0;
}
