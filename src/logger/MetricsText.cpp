#include "logger/MetricsText.h"

#include "files/NumberText.h"

namespace {

void Family(std::string &out, const char *name, const char *type, const char *help) {
  out += "# HELP ";
  out += name;
  out += ' ';
  out += help;
  out += "\n# TYPE ";
  out += name;
  out += ' ';
  out += type;
  out += '\n';
}

void Sample(std::string &out, const char *name, const char *labels, double d, int nPrecision) {
  out += name;
  out += labels;
  out += ' ';
  AppendFixed(out, d, nPrecision);
  out += '\n';
}

void Count(std::string &out, const char *name, const char *labels, std::uint64_t n) {
  out += name;
  out += labels;
  out += ' ';
  AppendInt(out, static_cast<long long>(n));
  out += '\n';
}

} // namespace

std::string MetricsText(const CMetricsValues &v) {
  std::string out;
  Family(out, "tarvik_level_db", "gauge", "Sound level of the last sample, in dB.");
  if (v.level)
    Sample(out, "tarvik_level_db", "", *v.level, 1);
  if (v.periodLeq) {
    Family(out, "tarvik_period_leq_db", "gauge",
           "Equivalent continuous level of the last closed period, in dB.");
    Sample(out, "tarvik_period_leq_db", "", *v.periodLeq, 1);
  }
  Family(out, "tarvik_samples_total", "counter", "Samples taken from the meter since the logger started.");
  Count(out, "tarvik_samples_total", "", v.nSamples);
  Family(out, "tarvik_gaps_total", "counter",
         "Times the meter was lost (silent or unplugged) during the run.");
  Count(out, "tarvik_gaps_total", "", v.nGaps);
  Family(out, "tarvik_dropped_samples_total", "counter",
         "Samples an output could not take: the data file (disk full) or the broker (away).");
  Count(out, "tarvik_dropped_samples_total", "{output=\"file\"}", v.nUnwritten);
  if (v.mqttConnected)
    Count(out, "tarvik_dropped_samples_total", "{output=\"mqtt\"}", v.nMqttDropped);
  Family(out, "tarvik_meter_connected", "gauge", "1 while the meter is heard, 0 otherwise.");
  Count(out, "tarvik_meter_connected", "", v.bMeterConnected ? 1 : 0);
  if (v.mqttConnected) {
    Family(out, "tarvik_mqtt_connected", "gauge",
           "1 while the logger is connected to its broker, 0 otherwise.");
    Count(out, "tarvik_mqtt_connected", "", *v.mqttConnected ? 1 : 0);
  }
  return out;
}
