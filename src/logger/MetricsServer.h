#pragma once

#include "logger/MetricsText.h"

#include <mutex>
#include <optional>
#include <string>
#include <string_view>

struct MHD_Daemon;

// ADDRESS:PORT of --metrics: "127.0.0.1:9877", "[::1]:9877", "0.0.0.0:9877",
// or ":9877" and "9877" for 127.0.0.1.
struct CMetricsAddress {
  std::string strHost = "127.0.0.1";
  int nPort = 0;
};
std::optional<CMetricsAddress> ParseMetricsAddress(std::string_view text, std::string &strError);

// Serves GET /metrics from libmicrohttpd's own thread; any other path is
// 404. The main loop hands over a fresh snapshot with Update.
class CMetricsServer {
public:
  static constexpr unsigned kMaxConnections = 16;
  static constexpr unsigned kTimeoutSec = 10;

  CMetricsServer() = default;
  CMetricsServer(const CMetricsServer &) = delete;
  CMetricsServer &operator=(const CMetricsServer &) = delete;
  ~CMetricsServer() { Stop(); }

  // Binds and starts; false with the reason (the system's) in strError.
  bool Start(const CMetricsAddress &address, std::string &strError);
  void Stop();
  void Update(const CMetricsValues &values);
  // What a scrape gets now (called on the server's thread).
  std::string Text();

private:
  MHD_Daemon *m_pDaemon = nullptr;
  int m_fd = -1;
  std::mutex m_mutex;
  CMetricsValues m_values;
};
