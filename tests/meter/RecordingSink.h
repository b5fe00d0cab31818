#pragma once

#include "meter/ReceiveSink.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

// Records what the receive path hands to the view.
struct CRecordingSink : IReceiveSink {
  int m_nHold = 0, m_nEnded = 0, m_nRefresh = 0;
  struct Progress {
    int nUpper, nStep, nPos;
  };
  std::vector<Progress> m_progress;
  std::vector<std::string> m_texts;

  void OnHoldSignal() override { ++m_nHold; }
  void OnDownloadEnded() override { ++m_nEnded; }
  void OnDownloadProgress(int nUpper, int nStep, int nPos) override {
    m_progress.push_back({nUpper, nStep, nPos});
  }
  void OnReadoutRefresh() override { ++m_nRefresh; }
  void OnDownloadText(const std::string &strText) override { m_texts.push_back(strText); }
};

inline std::vector<uint8_t> Bytes(const std::string &hex) {
  std::vector<uint8_t> v;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    v.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return v;
}

// 7 December 2026, 10:00:00 local time: a fixed computer clock.
inline std::time_t FixedClock() {
  std::tm tm{};
  tm.tm_year = 126;
  tm.tm_mon = 11;
  tm.tm_mday = 7;
  tm.tm_hour = 10;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}
