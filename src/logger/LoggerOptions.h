#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What tarvik-logger was asked to do, from its command line.
struct CLoggerOptions {
  enum class EPrint { None, Csv, Json };

  std::string strDevice;                         // --device PATH; empty: discover the bridge
  std::string strPortTemplate;                   // --port-template T; empty: the serial layer's default
  double dRate = 1.0;                            // --rate, one of the ten sampling rates
  std::string strOutput = "tarvik-%Y-%m-%d.txt"; // --output, strftime fields
  std::optional<double> dDurationSec;            // --duration
  std::optional<std::uint64_t> nCount;           // --count
  EPrint ePrint = EPrint::None;                  // --print
  std::string strMqtt;                           // --mqtt URL, checked by ParseMqttUrl
  std::string strMqttPasswordFile;               // --mqtt-password-file FILE
  std::string strMqttCafile, strMqttCapath;      // --mqtt-cafile, --mqtt-capath
  std::string strMqttCert, strMqttKey;           // --mqtt-cert, --mqtt-key
  bool bMqttInsecure = false;                    // --mqtt-insecure
  std::optional<std::string> strHaDiscovery;     // --ha-discovery [PREFIX]
  std::string strMetrics;                        // --metrics ADDRESS:PORT
  std::string strDownloadDir;                    // --download DIR
  std::optional<int> nPeriodSec;                 // --period 1m|5m|15m|30m|1h
  std::optional<double> dThreshold;              // --threshold DB
  double dMinDurationSec = 1;                    // --min-duration S
  double dReleaseSec = 1;                        // --release S
  bool bHelp = false;
  bool bVersion = false;
};

struct CLoggerOptionsResult {
  CLoggerOptions options;
  std::string strError; // non-empty: a usage error (exit code 2)
  bool Ok() const { return strError.empty(); }
};

CLoggerOptionsResult ParseLoggerOptions(int argc, const char *const *argv);
std::string LoggerUsage();

// "30s", "10m", "2h", "7d" or plain seconds; decimals allowed ("1.5h").
// Nothing for a text that is not a positive duration.
std::optional<double> ParseDuration(std::string_view text);
// A sampling rate text that names one of the ten rates exactly ("0.5", "1",
// "1.0"); nothing otherwise.
std::optional<double> ParseSamplingRate(std::string_view text);
