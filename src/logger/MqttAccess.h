#pragma once

#include "logger/LoggerOptions.h"
#include "logger/MqttUrl.h"

#include <optional>
#include <string>

// How the logger gets into a broker: the login and the TLS settings.
struct CMqttAccess {
  std::string strUser;
  std::optional<std::string> password; // never printed, never on a command line
  bool bTls = false;
  std::string strCafile, strCapath; // both empty: the system's CAs
  std::string strCert, strKey;      // a client certificate, both or neither
  bool bInsecure = false;           // no check of the broker's host name
};

// The access the options ask for: the password from --mqtt-password-file
// (its first line; refused when others may read the file) or from
// TARVIK_MQTT_PASSWORD (`envPassword`). Nothing, with the reason in
// strError, when the options do not fit together or the file will not do.
std::optional<CMqttAccess> MqttAccessFor(const CLoggerOptions &o, const CMqttUrl &url,
                                         const char *envPassword, std::string &strError);
