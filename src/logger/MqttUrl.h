#pragma once

#include <optional>
#include <string>
#include <string_view>

// mqtt://HOST[:PORT]/PREFIX: the broker and the topic prefix of one meter.
struct CMqttUrl {
  std::string strHost;
  int nPort = 1883;
  std::string strPrefix; // topics are PREFIX/level, PREFIX/summary, PREFIX/status
};

// Nothing, with the reason in strError, for a URL the logger cannot use.
std::optional<CMqttUrl> ParseMqttUrl(std::string_view url, std::string &strError);
