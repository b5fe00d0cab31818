#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What a scrape of the logger shows: a snapshot the main loop hands over.
struct CMetricsValues {
  std::optional<double> level;     // the last sample; none before the first
  std::optional<double> periodLeq; // the last closed period's Leq, when periods are kept
  std::uint64_t nSamples = 0;
  std::uint64_t nGaps = 0;
  std::uint64_t nUnwritten = 0;   // samples the data file could not take
  std::uint64_t nMqttDropped = 0; // samples not published while the broker was away
  bool bMeterConnected = false;
  std::optional<bool> mqttConnected; // none without --mqtt
};

// The Prometheus text exposition format (version 0.0.4) of `v`, with
// # HELP and # TYPE for every family.
std::string MetricsText(const CMetricsValues &v);
