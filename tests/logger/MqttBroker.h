#pragma once

#include "logger/LoggerProcess.h"

#include <arpa/inet.h>
#include <fstream>
#include <mosquitto.h>
#include <mutex>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>

// A real broker for one test, on 127.0.0.1 and a port nobody uses.
class CTestBroker {
public:
  explicit CTestBroker(const std::string &strDir) : m_strDir(strDir), m_nPort(FreePort()) {
    std::ofstream(Conf()) << "listener " << m_nPort
                          << " 127.0.0.1\nallow_anonymous true\npersistence false\n";
  }
  // Beside the open listener (for the test's subscribers), a TLS listener
  // with the given certificate that admits only `strUser` with `strPassword`.
  CTestBroker(const std::string &strDir, const std::string &strCert, const std::string &strKey,
              const std::string &strCa, const std::string &strUser, const std::string &strPassword)
      : m_strDir(strDir), m_nPort(FreePort()), m_nSecurePort(FreePort()) {
    while (m_nSecurePort == m_nPort)
      m_nSecurePort = FreePort();
    while (m_nCertPort == 0 || m_nCertPort == m_nPort || m_nCertPort == m_nSecurePort)
      m_nCertPort = FreePort();
    const std::string strPasswd = strDir + "/passwd";
    Spit(strPasswd, "");
    CChildProcess passwd(strDir, {"/usr/bin/mosquitto_passwd", "-b", strPasswd, strUser, strPassword});
    m_bPasswdMade = passwd.Wait() == 0;
    ::chmod(strPasswd.c_str(), 0600);
    std::ofstream(Conf()) << "per_listener_settings true\npersistence false\n"
                          << (::geteuid() == 0 ? "user root\n" : "") << "log_dest file " << LogPath()
                          << "\nconnection_messages true\n"
                          << "listener " << m_nPort << " 127.0.0.1\nallow_anonymous true\n"
                          << "listener " << m_nSecurePort << " 127.0.0.1\nallow_anonymous false\n"
                          << "password_file " << strPasswd << "\ncafile " << strCa << "\ncertfile " << strCert
                          << "\nkeyfile " << strKey << "\n"
                          << "listener " << m_nCertPort << " 127.0.0.1\nallow_anonymous true\n"
                          << "require_certificate true\ncafile " << strCa << "\ncertfile " << strCert
                          << "\nkeyfile " << strKey << "\n";
  }
  int Port() const { return m_nPort; }
  int SecurePort() const { return m_nSecurePort; }
  // A TLS listener that admits only clients with a certificate from the CA.
  int CertPort() const { return m_nCertPort; }
  bool PasswdMade() const { return m_bPasswdMade; }
  // What the broker logged: its connections, logins and refusals.
  std::string Log() const { return Slurp(LogPath()); }
  bool Start() {
    m_pBroker = std::make_unique<CChildProcess>(
        m_strDir, std::vector<std::string>{"/usr/sbin/mosquitto", "-c", Conf()});
    return m_pBroker->Started() && WaitFor([&] { return Accepts(); }, std::chrono::seconds(10));
  }
  void Stop() {
    if (!m_pBroker)
      return;
    m_pBroker->Signal(SIGTERM);
    m_pBroker->Wait();
    m_pBroker.reset();
  }
  ~CTestBroker() { Stop(); }

  static int FreePort() {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
  }

private:
  std::string Conf() const { return m_strDir + "/mosquitto.conf"; }
  std::string LogPath() const { return m_strDir + "/broker.log"; }
  bool Accepts() const {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(m_nPort));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool bOk = ::connect(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0;
    ::close(fd);
    return bOk;
  }

  std::string m_strDir;
  int m_nPort;
  int m_nSecurePort = 0;
  int m_nCertPort = 0;
  bool m_bPasswdMade = true;
  std::unique_ptr<CChildProcess> m_pBroker;
};

// A subscriber to PREFIX/#, subscribing again whenever it reconnects.
class CTestSubscriber {
public:
  struct CMessage {
    std::string strTopic, strPayload;
    bool bRetained;
  };
  CTestSubscriber(int nPort, std::string strFilter) : m_strFilter(std::move(strFilter)) {
    mosquitto_lib_init();
    m_pMosq = mosquitto_new(nullptr, true, this);
    mosquitto_connect_callback_set(m_pMosq, [](mosquitto *m, void *u, int rc) {
      auto *self = static_cast<CTestSubscriber *>(u);
      if (rc == 0)
        mosquitto_subscribe(m, nullptr, self->m_strFilter.c_str(), 1);
    });
    mosquitto_subscribe_callback_set(m_pMosq, [](mosquitto *, void *u, int, int, const int *) {
      auto *self = static_cast<CTestSubscriber *>(u);
      std::lock_guard lock(self->m_mutex);
      ++self->m_nSubscribed;
    });
    mosquitto_message_callback_set(m_pMosq, [](mosquitto *, void *u, const mosquitto_message *msg) {
      auto *self = static_cast<CTestSubscriber *>(u);
      std::lock_guard lock(self->m_mutex);
      self->m_messages.push_back(
          {msg->topic,
           std::string(static_cast<const char *>(msg->payload), static_cast<std::size_t>(msg->payloadlen)),
           msg->retain});
    });
    mosquitto_reconnect_delay_set(m_pMosq, 1, 1, false);
    mosquitto_connect_async(m_pMosq, "127.0.0.1", nPort, 10);
    mosquitto_loop_start(m_pMosq);
  }
  ~CTestSubscriber() {
    mosquitto_disconnect(m_pMosq);
    mosquitto_loop_stop(m_pMosq, false);
    mosquitto_destroy(m_pMosq);
  }
  int Subscriptions() {
    std::lock_guard lock(m_mutex);
    return m_nSubscribed;
  }
  std::vector<CMessage> Messages(const std::string &strTopic) {
    std::lock_guard lock(m_mutex);
    std::vector<CMessage> v;
    for (auto &m : m_messages)
      if (m.strTopic == strTopic)
        v.push_back(m);
    return v;
  }

private:
  mosquitto *m_pMosq = nullptr;
  std::string m_strFilter;
  std::mutex m_mutex;
  std::vector<CMessage> m_messages;
  int m_nSubscribed = 0;
};
