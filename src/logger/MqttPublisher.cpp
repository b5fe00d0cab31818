#include "logger/MqttPublisher.h"

#include <mosquitto.h>
#include <mutex>
#include <utility>

namespace {
constexpr const char *kOnline = "online";
constexpr const char *kOffline = "offline";

void InitLibraryOnce() {
  static std::once_flag once;
  std::call_once(once, [] { mosquitto_lib_init(); });
}
} // namespace

CMqttPublisher::CMqttPublisher(CMqttUrl url, std::string strClientId)
    : m_url(std::move(url)), m_strClientId(std::move(strClientId)), m_strPrefix(m_url.strPrefix) {}

CMqttPublisher::~CMqttPublisher() {
  Stop();
}

bool CMqttPublisher::Start(std::string &strError) {
  InitLibraryOnce();
  m_pMosq = mosquitto_new(m_strClientId.c_str(), true, this);
  if (!m_pMosq) {
    strError = "MQTT: cannot create a client (out of memory)";
    return false;
  }
  mosquitto_int_option(m_pMosq, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
  mosquitto_connect_callback_set(m_pMosq, &CMqttPublisher::OnConnect);
  mosquitto_disconnect_callback_set(m_pMosq, &CMqttPublisher::OnDisconnect);
  mosquitto_publish_callback_set(m_pMosq, &CMqttPublisher::OnPublish);
  mosquitto_reconnect_delay_set(m_pMosq, 1, 5, true);
  std::string strStatus = m_strPrefix + "/status";
  int rc =
      mosquitto_will_set(m_pMosq, strStatus.c_str(),
                         static_cast<int>(std::char_traits<char>::length(kOffline)), kOffline, kQos, true);
  if (rc != MOSQ_ERR_SUCCESS) {
    strError = std::string("MQTT: ") + mosquitto_strerror(rc);
    return false;
  }
  // A broker that is not there yet is no error: the network thread keeps
  // trying, and the file is written meanwhile.
  rc = mosquitto_connect_async(m_pMosq, m_url.strHost.c_str(), m_url.nPort, kKeepAliveSec);
  m_bFirstConnectPending = rc != MOSQ_ERR_SUCCESS;
  m_nextTry = std::chrono::steady_clock::now() + kFirstConnectRetry;
  if (rc != MOSQ_ERR_SUCCESS)
    Notice("MQTT: broker " + m_url.strHost + ":" + std::to_string(m_url.nPort) + " not reachable (" +
           (rc == MOSQ_ERR_ERRNO ? std::string("connection failed") : mosquitto_strerror(rc)) +
           "); trying again, logging goes on");
  rc = mosquitto_loop_start(m_pMosq);
  if (rc != MOSQ_ERR_SUCCESS) {
    strError = std::string("MQTT: ") + mosquitto_strerror(rc);
    return false;
  }
  m_bLoopRunning = true;
  return true;
}

void CMqttPublisher::Poll(std::chrono::steady_clock::time_point now) {
  // The network thread takes over reconnecting only after a first
  // connection attempt got under way; until then it is asked again here.
  if (!m_pMosq || !m_bFirstConnectPending || now < m_nextTry)
    return;
  m_nextTry = now + kFirstConnectRetry;
  if (mosquitto_reconnect_async(m_pMosq) == MOSQ_ERR_SUCCESS)
    m_bFirstConnectPending = false;
}

void CMqttPublisher::Publish(const std::string &strTopic, const std::string &strPayload, bool bRetain) {
  if (!m_pMosq || !m_bConnected.load()) {
    ++m_nDropped;
    return;
  }
  int rc = mosquitto_publish(m_pMosq, nullptr, strTopic.c_str(), static_cast<int>(strPayload.size()),
                             strPayload.data(), kQos, bRetain);
  if (rc == MOSQ_ERR_SUCCESS)
    ++m_nPublished;
  else
    ++m_nDropped;
}

void CMqttPublisher::Stop() {
  if (!m_pMosq)
    return;
  if (m_bLoopRunning) {
    if (m_bConnected.load()) {
      std::string strStatus = m_strPrefix + "/status";
      std::unique_lock lock(m_mutex);
      int mid = 0;
      if (mosquitto_publish(m_pMosq, &mid, strStatus.c_str(),
                            static_cast<int>(std::char_traits<char>::length(kOffline)), kOffline, kQos,
                            true) == MOSQ_ERR_SUCCESS) {
        m_nOfflineMid = mid;
        m_cv.wait_for(lock, kOfflineWait, [&] { return m_bOfflineDone; });
      }
    }
    mosquitto_disconnect(m_pMosq);
    mosquitto_loop_stop(m_pMosq, false);
    m_bLoopRunning = false;
  }
  mosquitto_destroy(m_pMosq);
  m_pMosq = nullptr;
  m_bConnected = false;
}

std::vector<std::string> CMqttPublisher::TakeNotices() {
  std::lock_guard lock(m_mutex);
  return std::exchange(m_notices, {});
}

void CMqttPublisher::Notice(std::string strText) {
  std::lock_guard lock(m_mutex);
  m_notices.push_back(std::move(strText));
}

void CMqttPublisher::OnConnect(mosquitto *pMosq, void *pUser, int nRc) {
  auto *self = static_cast<CMqttPublisher *>(pUser);
  if (nRc != 0) {
    self->Notice(std::string("MQTT: the broker refused the connection: ") + mosquitto_connack_string(nRc));
    return;
  }
  std::string strStatus = self->m_strPrefix + "/status";
  mosquitto_publish(pMosq, nullptr, strStatus.c_str(),
                    static_cast<int>(std::char_traits<char>::length(kOnline)), kOnline, kQos, true);
  self->m_bConnected = true;
  self->Notice("MQTT: connected to " + self->m_url.strHost + ":" + std::to_string(self->m_url.nPort));
}

void CMqttPublisher::OnDisconnect(mosquitto *, void *pUser, int nRc) {
  auto *self = static_cast<CMqttPublisher *>(pUser);
  bool bWas = self->m_bConnected.exchange(false);
  if (nRc != 0 && bWas)
    self->Notice("MQTT: connection to the broker lost; trying again, logging goes on");
}

void CMqttPublisher::OnPublish(mosquitto *, void *pUser, int nMid) {
  auto *self = static_cast<CMqttPublisher *>(pUser);
  std::lock_guard lock(self->m_mutex);
  if (nMid == self->m_nOfflineMid) {
    self->m_bOfflineDone = true;
    self->m_cv.notify_all();
  }
}
