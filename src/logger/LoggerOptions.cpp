#include "logger/LoggerOptions.h"

#include "app/OptionArg.h"
#include "assess/AssessSettings.h"
#include "session/MonitorRun.h"

#include <charconv>
#include <cmath>

namespace {

// The whole text as a finite decimal number, or nothing. from_chars never
// looks at the locale.
std::optional<double> WholeNumber(std::string_view text) {
  if (text.empty() || text.front() == '+' || text.front() == '-')
    return std::nullopt;
  double d = 0;
  auto res = std::from_chars(text.data(), text.data() + text.size(), d, std::chars_format::fixed);
  if (res.ec != std::errc() || res.ptr != text.data() + text.size() || !std::isfinite(d))
    return std::nullopt;
  return d;
}

} // namespace

std::optional<double> ParseDuration(std::string_view text) {
  double dUnit = 1;
  if (!text.empty()) {
    switch (text.back()) {
    case 's':
      dUnit = 1;
      break;
    case 'm':
      dUnit = 60;
      break;
    case 'h':
      dUnit = 3600;
      break;
    case 'd':
      dUnit = 86400;
      break;
    default:
      dUnit = 0;
    }
    if (dUnit != 0)
      text.remove_suffix(1);
    else
      dUnit = 1;
  }
  auto d = WholeNumber(text);
  if (!d || *d <= 0 || *d * dUnit > 100.0 * 365 * 86400)
    return std::nullopt;
  return *d * dUnit;
}

std::optional<double> ParseSamplingRate(std::string_view text) {
  auto d = WholeNumber(text);
  if (!d)
    return std::nullopt;
  for (const char *rate : kSampleRateTexts)
    if (std::abs(*d - RateFromText(rate)) < 1e-9)
      return RateFromText(rate);
  return std::nullopt;
}

std::string LoggerUsage() {
  return "usage: tarvik-logger [--device PATH] [--rate SECONDS] [--output PATTERN]\n"
         "                     [--duration TIME | --count N] [--print csv|json|none]\n"
         "                     [--mqtt mqtt[s]://[USER@]HOST[:PORT]/PREFIX] [--download DIR]\n"
         "                     [--mqtt-password-file FILE] [--mqtt-cafile FILE | --mqtt-capath DIR]\n"
         "                     [--mqtt-cert FILE --mqtt-key FILE] [--mqtt-insecure]\n"
         "                     [--ha-discovery [PREFIX]] [--metrics ADDRESS:PORT]\n"
         "                     [--period 1m|5m|15m|30m|1h]\n"
         "                     [--threshold DB [--min-duration S] [--release S]]\n"
         "                     [--port-template T] [--help] [--version]\n"
         "  --device PATH      the meter's serial device (symbolic links too);\n"
         "                     default: the first CP210x bridge, waited for\n"
         "  --rate SECONDS     0.1, 0.2, 0.5, 1, 1.5, 2, 2.5, 3, 5 or 10 (default 1)\n"
         "  --output PATTERN   file name with strftime fields (default tarvik-%Y-%m-%d.txt);\n"
         "                     a new file begins when the name changes\n"
         "  --duration TIME    stop after 30s, 10m, 2h, 7d ...\n"
         "  --count N          stop after N samples\n"
         "  --print FORMAT     also write each sample to standard output as csv or json\n"
         "  --mqtt URL         publish to a broker: PREFIX/level, PREFIX/summary, PREFIX/status;\n"
         "                     mqtts:// for TLS (port 8883), USER@ for a login\n"
         "  --mqtt-password-file FILE  the login's password: the file's first line (the file\n"
         "                     must not be readable by others); or TARVIK_MQTT_PASSWORD\n"
         "  --mqtt-cafile FILE, --mqtt-capath DIR  CAs for the broker (default: the system's)\n"
         "  --mqtt-cert FILE --mqtt-key FILE  a client certificate and its key\n"
         "  --mqtt-insecure    do not check the broker's host name against its certificate\n"
         "  --ha-discovery [PREFIX]  announce the sensors to Home Assistant (homeassistant)\n"
         "  --metrics ADDRESS:PORT  serve Prometheus metrics at /metrics (e.g. 127.0.0.1:9877)\n"
         "  --period P         per clock period from local midnight, a line of Leq, Lmax, Lmin,\n"
         "                     L10, L50, L90 and coverage in NAME-periods.csv beside the data\n"
         "                     file NAME.txt (and on PREFIX/period)\n"
         "  --threshold DB     events at or above DB dB in NAME-events.csv (and on PREFIX/event\n"
         "                     at their start and end)\n"
         "  --min-duration S   shorter events are dropped (default 1)\n"
         "  --release S        this long below the threshold ends an event (default 1)\n"
         "  --download DIR     fetch the meter's recordings into DIR, one file each, and exit\n"
         "  --port-template T  device of a numbered port, default /dev/ttyUSB%d\n"
         "exit codes: 0 done (also after faults it recovered from), 1 download cut short,\n"
         "            2 usage error, 3 meter not found, 4 output not writable\n";
}

CLoggerOptionsResult ParseLoggerOptions(int argc, const char *const *argv) {
  CLoggerOptionsResult r;
  CLoggerOptions &o = r.options;
  bool bEventOptions = false;
  for (int i = 1; i < argc && r.Ok(); ++i) {
    COptionArg arg(argc, argv, i);
    const std::string_view a = arg.Name();
    auto value = [&](std::string_view &out) { return arg.Value(out, r.strError); };
    std::string_view v;
    if (a == "--help" || a == "-h") {
      o.bHelp = true;
    } else if (a == "--version") {
      o.bVersion = true;
    } else if (a == "--device") {
      if (value(v) && v.empty())
        r.strError = "--device needs a path";
      o.strDevice = v;
    } else if (a == "--port-template") {
      if (value(v) && v.find("%d") == std::string_view::npos)
        r.strError = "--port-template needs a %d for the port number, e.g. /dev/ttyS%d";
      o.strPortTemplate = v;
    } else if (a == "--rate") {
      if (!value(v))
        break;
      if (auto d = ParseSamplingRate(v))
        o.dRate = *d;
      else
        r.strError =
            "--rate must be one of 0.1, 0.2, 0.5, 1, 1.5, 2, 2.5, 3, 5, 10 (got \"" + std::string(v) + "\")";
    } else if (a == "--output") {
      if (value(v) && v.empty())
        r.strError = "--output needs a file name pattern";
      o.strOutput = v;
    } else if (a == "--duration") {
      if (!value(v))
        break;
      if (auto d = ParseDuration(v))
        o.dDurationSec = *d;
      else
        r.strError = "--duration must be a time such as 30s, 10m, 2h or 7d (got \"" + std::string(v) + "\")";
    } else if (a == "--count") {
      if (!value(v))
        break;
      std::uint64_t n = 0;
      auto res = std::from_chars(v.data(), v.data() + v.size(), n);
      if (v.empty() || res.ec != std::errc() || res.ptr != v.data() + v.size() || n == 0)
        r.strError = "--count must be a whole number above 0 (got \"" + std::string(v) + "\")";
      o.nCount = n;
    } else if (a == "--print") {
      if (!value(v))
        break;
      if (v == "csv")
        o.ePrint = CLoggerOptions::EPrint::Csv;
      else if (v == "json")
        o.ePrint = CLoggerOptions::EPrint::Json;
      else if (v == "none")
        o.ePrint = CLoggerOptions::EPrint::None;
      else
        r.strError = "--print must be csv, json or none (got \"" + std::string(v) + "\")";
    } else if (a == "--mqtt") {
      if (value(v))
        o.strMqtt = v;
    } else if (a == "--mqtt-password-file" || a == "--mqtt-cafile" || a == "--mqtt-capath" ||
               a == "--mqtt-cert" || a == "--mqtt-key") {
      if (value(v) && v.empty())
        r.strError = std::string(a) + " needs a path";
      std::string &target = a == "--mqtt-password-file" ? o.strMqttPasswordFile
                            : a == "--mqtt-cafile"      ? o.strMqttCafile
                            : a == "--mqtt-capath"      ? o.strMqttCapath
                            : a == "--mqtt-cert"        ? o.strMqttCert
                                                        : o.strMqttKey;
      target = v;
    } else if (a == "--mqtt-insecure") {
      o.bMqttInsecure = true;
    } else if (a == "--ha-discovery") {
      // The prefix is optional: a next word that is not an option is it.
      if (!arg.OptionalValue(v))
        v = "homeassistant";
      if (v.empty() || v.find_first_of("+#") != std::string_view::npos)
        r.strError = "--ha-discovery: the discovery prefix must not be empty or hold + or #";
      o.strHaDiscovery = std::string(v);
    } else if (a == "--metrics") {
      if (value(v) && v.empty())
        r.strError = "--metrics needs ADDRESS:PORT, e.g. 127.0.0.1:9877";
      o.strMetrics = v;
    } else if (a == "--period") {
      if (!value(v))
        break;
      o.nPeriodSec = ParsePeriodText(v);
      if (!o.nPeriodSec)
        r.strError = "--period must be 1m, 5m, 15m, 30m or 1h (got \"" + std::string(v) + "\")";
    } else if (a == "--threshold" || a == "--min-duration" || a == "--release") {
      if (!value(v))
        break;
      const std::optional<double> d = WholeNumber(v);
      if (!d || *d < 0)
        r.strError = std::string(a) + " must be " +
                     (a == "--threshold" ? "a level in dB" : "a number of seconds") + " (got \"" +
                     std::string(v) + "\")";
      else if (a == "--threshold")
        o.dThreshold = d;
      else
        (a == "--release" ? o.dReleaseSec : o.dMinDurationSec) = *d;
      bEventOptions = bEventOptions || a != "--threshold";
    } else if (a == "--download") {
      if (value(v) && v.empty())
        r.strError = "--download needs a folder";
      o.strDownloadDir = v;
    } else {
      // The name only: a mistyped --mqtt-password=... must not be echoed.
      r.strError = "unknown option " + std::string(a);
    }
  }
  if (r.Ok() && o.dDurationSec && o.nCount)
    r.strError = "--duration and --count cannot be used together";
  if (r.Ok() && bEventOptions && !o.dThreshold)
    r.strError = "--min-duration and --release need --threshold";
  if (r.Ok() && o.strHaDiscovery && o.strMqtt.empty())
    r.strError = "--ha-discovery needs --mqtt";
  return r;
}
