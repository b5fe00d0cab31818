#pragma once

#include "logger/MqttAccess.h"
#include "logger/MqttUrl.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

struct mosquitto;

// Publishes one meter to a message broker through libmosquitto's own
// network thread, so a slow or absent broker never holds up the caller
// (the file is written first, always). A retained "online" on
// PREFIX/status at every connection and the broker's last will "offline"
// there tell subscribers whether the logger runs. While the broker is
// away, samples are not queued (a long outage would grow memory without
// bound); the file keeps them, and publishing resumes on reconnection.
// A refused login or a failed TLS handshake is told once with the
// broker's or the TLS library's reason, and tried again with a delay
// that grows to kRetryMaxSec; only changes of state are told.
class CMqttPublisher {
public:
  static constexpr int kQos = 1;
  static constexpr int kKeepAliveSec = 10;
  static constexpr std::chrono::milliseconds kOfflineWait{2000};
  static constexpr std::chrono::milliseconds kFirstConnectRetry{2000};
  static constexpr unsigned kRetryMaxSec = 300;
  static constexpr const char *kSystemCaPath = "/etc/ssl/certs";

  CMqttPublisher(CMqttUrl url, CMqttAccess access, std::string strClientId);
  CMqttPublisher(const CMqttPublisher &) = delete;
  CMqttPublisher &operator=(const CMqttPublisher &) = delete;
  ~CMqttPublisher();

  // Starts the network thread; the first connection may come later. False
  // with the reason only when the library cannot be set up at all.
  bool Start(std::string &strError);
  // PREFIX/level and PREFIX/summary; dropped (and counted) while not connected.
  void PublishLevel(const std::string &strJson) { Publish(m_strPrefix + "/level", strJson, false); }
  void PublishSummary(const std::string &strJson) { Publish(m_strPrefix + "/summary", strJson, false); }
  // PREFIX/period (a closed clock period) and PREFIX/event (an event's start and end), alike.
  void PublishPeriod(const std::string &strJson) { Publish(m_strPrefix + "/period", strJson, false); }
  void PublishEvent(const std::string &strJson) { Publish(m_strPrefix + "/event", strJson, false); }
  // Retained messages sent again at every connection (discovery configs):
  // a broker that restarts without persistence learns them anew.
  void AddRetained(std::string strTopic, std::string strPayload);
  const std::string &Prefix() const { return m_strPrefix; }
  // Call now and then from the caller's loop: repeats a first connection
  // attempt that failed at once (a broker not started yet).
  void Poll(std::chrono::steady_clock::time_point now);
  // A retained "offline", waited for (bounded), then disconnection.
  void Stop();

  bool Connected() const { return m_bConnected.load(); }
  std::uint64_t Published() const { return m_nPublished.load(); }
  std::uint64_t Dropped() const { return m_nDropped.load(); }
  // Connection news for the user ("connected", "lost"); taken once.
  std::vector<std::string> TakeNotices();

private:
  static void OnConnect(mosquitto *, void *pUser, int nRc);
  static void OnDisconnect(mosquitto *, void *pUser, int nRc);
  static void OnPublish(mosquitto *, void *pUser, int nMid);
  static void OnLog(mosquitto *, void *pUser, int nLevel, const char *pText);
  bool SetUpAccess(std::string &strError);
  bool InsecureIfAsked();
  // A connection attempt that failed at once: told, and tried again by Poll.
  void ConnectFailed(int nRc, std::chrono::steady_clock::time_point now);
  void TlsFailed(const std::string &strWhy, std::chrono::steady_clock::time_point now);
  void TellTlsFailure(const std::string &strWhy);
  void Publish(const std::string &strTopic, const std::string &strPayload, bool bRetain);
  void Notice(std::string strText);
  // Tells strState once: nothing while the state stays the same.
  void StateIs(const std::string &strState, std::string strText);
  std::string Where() const;

  CMqttUrl m_url;
  CMqttAccess m_access;
  std::string m_strClientId;
  std::string m_strPrefix;
  mosquitto *m_pMosq = nullptr;
  bool m_bLoopRunning = false;
  bool m_bRetryPending = false;
  long long m_nTlsFailures = 0;
  std::chrono::steady_clock::time_point m_nextTry{};
  std::atomic<bool> m_bConnected{false};
  std::atomic<bool> m_bRefused{false}; // the broker's refusal of this attempt was told
  std::atomic<std::uint64_t> m_nPublished{0};
  std::atomic<std::uint64_t> m_nDropped{0};

  std::mutex m_mutex;
  std::condition_variable m_cv;
  std::vector<std::string> m_notices;
  std::string m_strState;     // the last state told
  std::string m_strTlsReason; // the TLS library's first complaint since the last connection
  std::vector<std::pair<std::string, std::string>> m_retained;
  int m_nOfflineMid = -1;
  bool m_bOfflineDone = false;
};
