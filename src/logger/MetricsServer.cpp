#include "logger/MetricsServer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <microhttpd.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

std::optional<CMetricsAddress> ParseMetricsAddress(std::string_view text, std::string &strError) {
  CMetricsAddress a;
  std::string_view port = text;
  if (text.starts_with('[')) {
    const std::size_t close = text.find("]:");
    if (close == std::string_view::npos) {
      strError = "--metrics: [ADDRESS]:PORT expected, e.g. [::1]:9877";
      return std::nullopt;
    }
    a.strHost = text.substr(1, close - 1);
    port = text.substr(close + 2);
  } else if (const std::size_t colon = text.rfind(':'); colon != std::string_view::npos) {
    if (colon > 0)
      a.strHost = text.substr(0, colon);
    port = text.substr(colon + 1);
  }
  auto res = std::from_chars(port.data(), port.data() + port.size(), a.nPort);
  if (port.empty() || res.ec != std::errc() || res.ptr != port.data() + port.size() || a.nPort < 1 ||
      a.nPort > 65535) {
    strError = "--metrics: the port must be a number from 1 to 65535 (e.g. 127.0.0.1:9877)";
    return std::nullopt;
  }
  in6_addr probe{};
  if (::inet_pton(AF_INET, a.strHost.c_str(), &probe) != 1 &&
      ::inet_pton(AF_INET6, a.strHost.c_str(), &probe) != 1) {
    strError = "--metrics: " + a.strHost + " is not an IP address (e.g. 127.0.0.1 or [::1])";
    return std::nullopt;
  }
  return a;
}

namespace {

// The listening socket is ours, so a failure to bind has its errno.
int Listen(const CMetricsAddress &a, std::string &strError) {
  sockaddr_storage ss{};
  socklen_t len = 0;
  auto *v4 = reinterpret_cast<sockaddr_in *>(&ss);
  auto *v6 = reinterpret_cast<sockaddr_in6 *>(&ss);
  if (::inet_pton(AF_INET, a.strHost.c_str(), &v4->sin_addr) == 1) {
    v4->sin_family = AF_INET;
    v4->sin_port = htons(static_cast<std::uint16_t>(a.nPort));
    len = sizeof *v4;
  } else {
    ::inet_pton(AF_INET6, a.strHost.c_str(), &v6->sin6_addr);
    v6->sin6_family = AF_INET6;
    v6->sin6_port = htons(static_cast<std::uint16_t>(a.nPort));
    len = sizeof *v6;
  }
  const int fd = ::socket(ss.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const int on = 1;
  if (fd < 0 || ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
      ::bind(fd, reinterpret_cast<sockaddr *>(&ss), len) != 0 || ::listen(fd, 16) != 0) {
    strError = std::strerror(errno);
    if (fd >= 0)
      ::close(fd);
    return -1;
  }
  return fd;
}

MHD_Result Queue(MHD_Connection *pConn, unsigned nStatus, const std::string &strBody, const char *type) {
  MHD_Response *pResp = MHD_create_response_from_buffer(strBody.size(), const_cast<char *>(strBody.data()),
                                                        MHD_RESPMEM_MUST_COPY);
  if (!pResp)
    return MHD_NO;
  MHD_add_response_header(pResp, MHD_HTTP_HEADER_CONTENT_TYPE, type);
  const MHD_Result r = MHD_queue_response(pConn, nStatus, pResp);
  MHD_destroy_response(pResp);
  return r;
}

MHD_Result Answer(void *pCls, MHD_Connection *pConn, const char *pUrl, const char *pMethod, const char *,
                  const char *, size_t *, void **) {
  auto *self = static_cast<CMetricsServer *>(pCls);
  if (std::strcmp(pUrl, "/metrics") != 0)
    return Queue(pConn, MHD_HTTP_NOT_FOUND, "not found: the metrics are at /metrics\n", "text/plain");
  if (std::strcmp(pMethod, "GET") != 0 && std::strcmp(pMethod, "HEAD") != 0)
    return Queue(pConn, MHD_HTTP_METHOD_NOT_ALLOWED, "GET only\n", "text/plain");
  return Queue(pConn, MHD_HTTP_OK, self->Text(), "text/plain; version=0.0.4; charset=utf-8");
}

} // namespace

bool CMetricsServer::Start(const CMetricsAddress &address, std::string &strError) {
  m_fd = Listen(address, strError);
  if (m_fd < 0) {
    strError =
        "cannot serve metrics on " + address.strHost + ":" + std::to_string(address.nPort) + ": " + strError;
    return false;
  }
  const unsigned flags = MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_POLL |
                         (address.strHost.find(':') != std::string::npos ? MHD_USE_IPv6 : 0);
  m_pDaemon = MHD_start_daemon(flags, 0, nullptr, nullptr, &Answer, this, MHD_OPTION_LISTEN_SOCKET, m_fd,
                               MHD_OPTION_CONNECTION_LIMIT, kMaxConnections, MHD_OPTION_CONNECTION_TIMEOUT,
                               kTimeoutSec, MHD_OPTION_END);
  if (!m_pDaemon) {
    ::close(m_fd);
    m_fd = -1;
    strError = "cannot serve metrics on " + address.strHost + ":" + std::to_string(address.nPort) +
               ": the HTTP server library did not start";
    return false;
  }
  return true;
}

void CMetricsServer::Stop() {
  if (m_pDaemon)
    MHD_stop_daemon(m_pDaemon);
  m_pDaemon = nullptr;
  if (m_fd >= 0)
    ::close(m_fd);
  m_fd = -1;
}

void CMetricsServer::Update(const CMetricsValues &values) {
  std::lock_guard lock(m_mutex);
  m_values = values;
}

std::string CMetricsServer::Text() {
  CMetricsValues v;
  {
    std::lock_guard lock(m_mutex);
    v = m_values;
  }
  return MetricsText(v);
}
