#pragma once

#include "RecordingSink.h"

#include "meter/LogParser.h"
#include "meter/ReceivePath.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

// The receive path as the view drives it: downloads decoded into a store,
// the level of every decoded live frame noted, the buffer's peak watched.
struct CLineHarness : CRecordingSink {
  CReceivePath path{*this, [] { return FixedClock(); }};
  CLogDecodeState dec;
  CSampleStore logStore;
  std::vector<double> levels;
  std::size_t nPeakBuffer = 0;

  void OnDownloadText(const std::string &text) override {
    CRecordingSink::OnDownloadText(text);
    ParseLogData(text, dec, logStore, *this);
  }
  void OnReadoutRefresh() override {
    CRecordingSink::OnReadoutRefresh();
    if (path.Timing().m_nFramesDecoded != levels.size())
      levels.push_back(path.Reading().m_dLevel);
  }
  void Feed(const std::vector<uint8_t> &bytes, std::size_t nChunk) {
    for (std::size_t at = 0; at < bytes.size(); at += nChunk) {
      path.OnChunk(bytes.data() + at, std::min(nChunk, bytes.size() - at));
      nPeakBuffer = std::max(nPeakBuffer, path.Buffer().size());
    }
  }
  // True when the last decoded levels are `want`, in order.
  bool EndsWith(const std::vector<double> &want) const {
    return levels.size() >= want.size() && std::equal(want.rbegin(), want.rend(), levels.rbegin());
  }
};
