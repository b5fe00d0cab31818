#pragma once

#include <optional>
#include <string>
#include <string_view>

// mqtt[s]://[USER@]HOST[:PORT]/PREFIX: the broker, the login name and the
// topic prefix of one meter. The password never travels in the URL.
struct CMqttUrl {
  std::string strHost;
  int nPort = 1883;
  bool bTls = false;     // mqtts://, default port 8883
  std::string strUser;   // empty: no login
  std::string strPrefix; // topics are PREFIX/level, PREFIX/summary, PREFIX/status
};

// Nothing, with the reason in strError, for a URL the logger cannot use.
// The reason never repeats a password found in the URL.
std::optional<CMqttUrl> ParseMqttUrl(std::string_view url, std::string &strError);
