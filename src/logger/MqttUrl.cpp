#include "logger/MqttUrl.h"

#include <charconv>

std::optional<CMqttUrl> ParseMqttUrl(std::string_view url, std::string &strError) {
  const std::string strExample = " (e.g. mqtt://localhost:1883/site/meter1)";
  CMqttUrl u;
  if (url.starts_with("mqtts://")) {
    u.bTls = true;
    u.nPort = 8883;
    url.remove_prefix(8);
  } else if (url.starts_with("mqtt://")) {
    url.remove_prefix(7);
  } else {
    strError = "--mqtt must start with mqtt:// or mqtts://" + strExample;
    return std::nullopt;
  }
  std::size_t slash = url.find('/');
  std::string_view hostPort = url.substr(0, slash);
  if (std::size_t at = hostPort.rfind('@'); at != std::string_view::npos) {
    std::string_view user = hostPort.substr(0, at);
    if (user.find(':') != std::string_view::npos) {
      // Said without the URL: it would show the password in the log.
      strError = "--mqtt: a password does not belong in the URL (it would show in ps and in logs); "
                 "give only the user name there and the password with --mqtt-password-file or "
                 "TARVIK_MQTT_PASSWORD";
      return std::nullopt;
    }
    if (user.empty()) {
      strError = "--mqtt: a user name must come before the @";
      return std::nullopt;
    }
    u.strUser = user;
    hostPort.remove_prefix(at + 1);
  }
  if (slash == std::string_view::npos || slash + 1 >= url.size()) {
    strError = "--mqtt needs a topic prefix after the host" + strExample;
    return std::nullopt;
  }
  u.strPrefix = url.substr(slash + 1);
  while (!u.strPrefix.empty() && u.strPrefix.back() == '/')
    u.strPrefix.pop_back();
  if (u.strPrefix.empty() || u.strPrefix.find_first_of("+#") != std::string::npos) {
    strError = "--mqtt: the topic prefix must not be empty or hold + or #";
    return std::nullopt;
  }
  std::string_view host = hostPort;
  std::string_view port;
  if (hostPort.starts_with('[')) { // [::1]:1883
    std::size_t close = hostPort.find(']');
    if (close == std::string_view::npos) {
      strError = "--mqtt: unclosed [ in the host";
      return std::nullopt;
    }
    host = hostPort.substr(1, close - 1);
    std::string_view after = hostPort.substr(close + 1);
    if (!after.empty()) {
      if (after.front() != ':') {
        strError = "--mqtt: text after ] that is not :PORT";
        return std::nullopt;
      }
      port = after.substr(1);
    }
  } else if (std::size_t colon = hostPort.rfind(':'); colon != std::string_view::npos) {
    host = hostPort.substr(0, colon);
    port = hostPort.substr(colon + 1);
    if (port.empty()) {
      strError = "--mqtt: a port must follow the colon";
      return std::nullopt;
    }
  }
  if (host.empty()) {
    strError = "--mqtt needs a host" + strExample;
    return std::nullopt;
  }
  u.strHost = host;
  if (!port.empty()) {
    int n = 0;
    auto res = std::from_chars(port.data(), port.data() + port.size(), n);
    if (res.ec != std::errc() || res.ptr != port.data() + port.size() || n < 1 || n > 65535) {
      strError = "--mqtt: the port must be a number from 1 to 65535";
      return std::nullopt;
    }
    u.nPort = n;
  }
  return u;
}
