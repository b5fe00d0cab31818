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

CMqttPublisher::CMqttPublisher(CMqttUrl url, CMqttAccess access, std::string strClientId)
    : m_url(std::move(url)), m_access(std::move(access)), m_strClientId(std::move(strClientId)),
      m_strPrefix(m_url.strPrefix) {}

std::string CMqttPublisher::Where() const {
  return (m_url.bTls ? "mqtts://" : "mqtt://") + m_url.strHost + ":" + std::to_string(m_url.nPort);
}

bool CMqttPublisher::SetUpAccess(std::string &strError) {
  if (!m_access.strUser.empty()) {
    const int rc = mosquitto_username_pw_set(m_pMosq, m_access.strUser.c_str(),
                                             m_access.password ? m_access.password->c_str() : nullptr);
    if (rc != MOSQ_ERR_SUCCESS) {
      strError = std::string("MQTT: cannot use the login: ") + mosquitto_strerror(rc);
      return false;
    }
  }
  if (!m_access.bTls)
    return true;
  auto orNull = [](const std::string &s) { return s.empty() ? nullptr : s.c_str(); };
  const char *capath = orNull(m_access.strCapath);
  if (m_access.strCafile.empty() && m_access.strCapath.empty()) {
    // The system's authorities. Named as a CA folder too: libmosquitto
    // 2.0.11 refuses a second attempt whose context has neither a CA file
    // nor a CA folder, whatever its own option says.
    mosquitto_int_option(m_pMosq, MOSQ_OPT_TLS_USE_OS_CERTS, 1);
    capath = kSystemCaPath;
  }
  // A key that needs a passphrase fails here instead of asking on a terminal.
  auto noPassphrase = [](char *, int, int, void *) { return 0; };
  const int rc = mosquitto_tls_set(m_pMosq, orNull(m_access.strCafile), capath, orNull(m_access.strCert),
                                   orNull(m_access.strKey), noPassphrase);
  if (rc != MOSQ_ERR_SUCCESS) {
    strError = std::string("MQTT: cannot use the TLS files: ") + mosquitto_strerror(rc);
    return false;
  }
  return InsecureIfAsked();
}

bool CMqttPublisher::InsecureIfAsked() {
  if (m_access.bInsecure) {
    mosquitto_tls_insecure_set(m_pMosq, true);
    Notice("MQTT: --mqtt-insecure: the broker's host name is not checked against its certificate");
  }
  return true;
}

void CMqttPublisher::AddRetained(std::string strTopic, std::string strPayload) {
  std::lock_guard lock(m_mutex);
  m_retained.emplace_back(std::move(strTopic), std::move(strPayload));
}

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
  mosquitto_log_callback_set(m_pMosq, &CMqttPublisher::OnLog);
  // 1, 4, 9, ... seconds between attempts, then every kRetryMaxSec.
  mosquitto_reconnect_delay_set(m_pMosq, 1, kRetryMaxSec, true);
  if (!SetUpAccess(strError))
    return false;
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
  m_bRetryPending = rc != MOSQ_ERR_SUCCESS;
  ConnectFailed(rc, std::chrono::steady_clock::now());
  // After a TLS failure the thread would end at once; Poll starts it.
  if (rc == MOSQ_ERR_TLS)
    return true;
  rc = mosquitto_loop_start(m_pMosq);
  if (rc != MOSQ_ERR_SUCCESS) {
    strError = std::string("MQTT: ") + mosquitto_strerror(rc);
    return false;
  }
  m_bLoopRunning = true;
  return true;
}

void CMqttPublisher::Poll(std::chrono::steady_clock::time_point now) {
  if (!m_pMosq)
    return;
  if (m_bConnected.load())
    m_nTlsFailures = 0;
  std::string strTls;
  if (m_bLoopRunning && !m_bConnected.load()) {
    std::lock_guard lock(m_mutex);
    strTls = std::exchange(m_strTlsReason, {});
  }
  if (!strTls.empty()) {
    // libmosquitto's network thread ends on a TLS failure instead of
    // trying again: it is joined, and the retries are made from here.
    mosquitto_loop_stop(m_pMosq, true);
    m_bLoopRunning = false;
    m_bRetryPending = true;
    TlsFailed(strTls, now);
    return;
  }
  // The network thread takes over reconnecting only after a connection
  // attempt got under way; until then it is asked again here.
  if (!m_bRetryPending || now < m_nextTry)
    return;
  int rc = mosquitto_reconnect_async(m_pMosq);
  if (rc == MOSQ_ERR_SUCCESS && !m_bLoopRunning) {
    rc = mosquitto_loop_start(m_pMosq);
    m_bLoopRunning = rc == MOSQ_ERR_SUCCESS;
  }
  m_bRetryPending = rc != MOSQ_ERR_SUCCESS;
  ConnectFailed(rc, now);
}

void CMqttPublisher::TlsFailed(const std::string &strWhy, std::chrono::steady_clock::time_point now) {
  // The same back-off as the network thread's: 1, 4, 9 ... seconds.
  ++m_nTlsFailures;
  m_nextTry = now + std::chrono::seconds(std::min<long long>(kRetryMaxSec, m_nTlsFailures * m_nTlsFailures));
  TellTlsFailure(strWhy);
}

void CMqttPublisher::TellTlsFailure(const std::string &strWhy) {
  StateIs("tls " + strWhy, "TLS with the broker " + Where() + " failed (" + strWhy +
                               "); trying again now and then, up to every 5 minutes; logging goes on");
}

void CMqttPublisher::ConnectFailed(int nRc, std::chrono::steady_clock::time_point now) {
  if (nRc == MOSQ_ERR_SUCCESS)
    return;
  std::string strTls;
  {
    std::lock_guard lock(m_mutex);
    strTls = std::exchange(m_strTlsReason, {});
  }
  if (nRc == MOSQ_ERR_TLS || !strTls.empty()) {
    TlsFailed(strTls.empty() ? std::string(mosquitto_strerror(nRc)) : strTls, now);
    return;
  }
  m_nextTry = now + kFirstConnectRetry;
  StateIs("unreachable",
          "broker " + Where() + " not reachable (" +
              (nRc == MOSQ_ERR_ERRNO ? std::string("connection failed") : mosquitto_strerror(nRc)) +
              "); trying again, logging goes on");
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
    bool bConnected = m_bConnected.load();
    mosquitto_disconnect(m_pMosq);
    // A connection still under way (a broker that does not answer) would
    // keep the network thread waiting: it is cancelled instead.
    mosquitto_loop_stop(m_pMosq, !bConnected);
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

void CMqttPublisher::StateIs(const std::string &strState, std::string strText) {
  std::lock_guard lock(m_mutex);
  if (strState == m_strState)
    return;
  m_strState = strState;
  m_notices.push_back("MQTT: " + std::move(strText));
}

void CMqttPublisher::OnConnect(mosquitto *pMosq, void *pUser, int nRc) {
  auto *self = static_cast<CMqttPublisher *>(pUser);
  if (nRc != 0) {
    self->m_bRefused = true;
    const std::string strWhy = mosquitto_connack_string(nRc);
    self->StateIs("refused " + strWhy, "the broker " + self->Where() + " refused the login (" + strWhy +
                                           "); trying again now and then, up to every 5 minutes; "
                                           "logging goes on");
    return;
  }
  std::vector<std::pair<std::string, std::string>> retained;
  {
    std::lock_guard lock(self->m_mutex);
    self->m_strTlsReason.clear();
    retained = self->m_retained;
  }
  for (const auto &[strTopic, strPayload] : retained)
    mosquitto_publish(pMosq, nullptr, strTopic.c_str(), static_cast<int>(strPayload.size()),
                      strPayload.data(), kQos, true);
  std::string strStatus = self->m_strPrefix + "/status";
  mosquitto_publish(pMosq, nullptr, strStatus.c_str(),
                    static_cast<int>(std::char_traits<char>::length(kOnline)), kOnline, kQos, true);
  self->m_bConnected = true;
  self->StateIs("connected", "connected to " + self->Where() +
                                 (self->m_access.strUser.empty() ? "" : " as " + self->m_access.strUser));
}

void CMqttPublisher::OnDisconnect(mosquitto *, void *pUser, int nRc) {
  auto *self = static_cast<CMqttPublisher *>(pUser);
  const bool bWas = self->m_bConnected.exchange(false);
  const bool bRefused = self->m_bRefused.exchange(false);
  if (nRc == 0 || bRefused)
    return;
  if (bWas) {
    self->StateIs("lost", "connection to the broker lost; trying again, logging goes on");
    return;
  }
  // Closed before the broker accepted the connection: TLS 1.3 tells a
  // refused client certificate only now. Poll takes the TLS reason too, as
  // the network thread may have ended on it; both tell it as one state.
  std::string strTls;
  {
    std::lock_guard lock(self->m_mutex);
    strTls = self->m_strTlsReason;
  }
  if (!strTls.empty()) {
    self->TellTlsFailure(strTls);
    return;
  }
  // The broker's alert may be lost when it closes before the alert is read;
  // over TLS without a client certificate that is still the likely cause.
  const bool bNoClientCert = self->m_access.bTls && self->m_access.strCert.empty();
  self->StateIs(
      std::string("closed ") + mosquitto_strerror(nRc),
      "the broker " + self->Where() + " closed the connection before accepting it (" +
          mosquitto_strerror(nRc) +
          (bNoClientCert ? "; a broker that asks for a client certificate closes so: see --mqtt-cert" : "") +
          "); trying again now and then, up to every 5 minutes; logging goes on");
}

void CMqttPublisher::OnLog(mosquitto *, void *pUser, int nLevel, const char *pText) {
  // The TLS library's reasons reach the program only through the log.
  if (!(nLevel & MOSQ_LOG_ERR) || !pText)
    return;
  std::string_view text = pText;
  constexpr std::string_view kSsl = "OpenSSL Error";
  if (!text.starts_with(kSsl))
    return;
  // "OpenSSL Error[0]: error:0A000086:SSL routines::certificate verify failed"
  std::size_t p = text.rfind(':');
  std::string strWhy(p == std::string_view::npos ? text : text.substr(p + 1));
  auto *self = static_cast<CMqttPublisher *>(pUser);
  std::lock_guard lock(self->m_mutex);
  if (self->m_strTlsReason.empty())
    self->m_strTlsReason = strWhy;
}

void CMqttPublisher::OnPublish(mosquitto *, void *pUser, int nMid) {
  auto *self = static_cast<CMqttPublisher *>(pUser);
  std::lock_guard lock(self->m_mutex);
  if (nMid == self->m_nOfflineMid) {
    self->m_bOfflineDone = true;
    self->m_cv.notify_all();
  }
}
