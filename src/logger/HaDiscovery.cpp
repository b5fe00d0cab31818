#include "logger/HaDiscovery.h"

#include <cstdio>

std::string JsonQuoted(const std::string &s) {
  std::string out = "\"";
  for (char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", u);
      out += buf;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string HaNodeId(const std::string &strDevice) {
  std::string id = "tarvik";
  for (char c : strDevice) {
    const bool bPlain =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
    const char out = bPlain ? c : '_';
    if (out != '_' || id.back() != '_')
      id += out;
  }
  while (id.back() == '_')
    id.pop_back();
  return id;
}

namespace {

// One sensor: its component, object id, name and the fields of its kind.
struct CSensor {
  const char *component;
  const char *object;
  const char *name;
  std::string strFields; // ", \"key\": value" pairs
};

} // namespace

std::vector<CHaConfig> HaDiscoveryConfigs(const CHaDiscovery &d) {
  const std::string strNode = HaNodeId(d.strDevice);
  const std::string &p = d.strTopicPrefix;
  std::vector<CSensor> sensors = {
      {"sensor", "level", "Level",
       ", \"state_topic\": " + JsonQuoted(p + "/level") +
           ", \"value_template\": \"{{ value_json.level }}\", \"device_class\": \"sound_pressure\""
           ", \"unit_of_measurement\": \"dB\", \"state_class\": \"measurement\""},
  };
  if (d.bPeriod)
    sensors.push_back(
        {"sensor", "period_leq", "Period LAeq",
         ", \"state_topic\": " + JsonQuoted(p + "/period") +
             ", \"value_template\": \"{{ value_json.leq }}\", \"device_class\": \"sound_pressure\""
             ", \"unit_of_measurement\": \"dB\", \"state_class\": \"measurement\""});
  if (d.bThreshold)
    sensors.push_back({"binary_sensor", "exceedance", "Threshold exceeded",
                       ", \"state_topic\": " + JsonQuoted(p + "/event") +
                           ", \"value_template\": \"{{ 'ON' if value_json.state == 'start' else 'OFF' }}\""
                           ", \"device_class\": \"sound\""});
  const std::string strDeviceJson =
      "{\"identifiers\": [" + JsonQuoted(strNode) + "], \"name\": " + JsonQuoted("Tarvik " + d.strDevice) +
      ", \"manufacturer\": \"Tarvik\", \"model\": \"tarvik-logger\", \"sw_version\": " +
      JsonQuoted(d.strVersion) + "}";
  std::vector<CHaConfig> configs;
  for (const CSensor &s : sensors) {
    const std::string strId = strNode + "_" + s.object;
    std::string json = "{\"name\": " + JsonQuoted(s.name) + ", \"unique_id\": " + JsonQuoted(strId) +
                       ", \"object_id\": " + JsonQuoted(strId) + s.strFields +
                       ", \"availability_topic\": " + JsonQuoted(p + "/status") +
                       ", \"payload_available\": \"online\", \"payload_not_available\": \"offline\""
                       ", \"device\": " +
                       strDeviceJson + "}";
    configs.push_back({d.strDiscoveryPrefix + "/" + s.component + "/" + strNode + "/" + s.object + "/config",
                       std::move(json)});
  }
  return configs;
}
