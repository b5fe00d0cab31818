#pragma once

#include <string>
#include <vector>

// Home Assistant's MQTT discovery: one retained config message per sensor
// of the meter, so the level (and the period LAeq and the exceedance
// state, when the run gives them) appear without hand-written sensors.
struct CHaDiscovery {
  std::string strDiscoveryPrefix = "homeassistant";
  std::string strTopicPrefix; // the --mqtt URL's PREFIX
  std::string strDevice;      // the meter's device path; the topic prefix when discovered
  std::string strVersion;     // the logger's version, shown on the device
  bool bPeriod = false;       // PREFIX/period carries the period LAeq
  bool bThreshold = false;    // PREFIX/event tells exceedance events
};

struct CHaConfig {
  std::string strTopic;
  std::string strPayload; // JSON
};

// The config messages, in a fixed order; their unique_ids come from the
// device path alone, so they are the same at every start.
std::vector<CHaConfig> HaDiscoveryConfigs(const CHaDiscovery &d);
// The node id for a device path: letters, digits, _ and - only.
std::string HaNodeId(const std::string &strDevice);
// `s` as a JSON string, quotes included.
std::string JsonQuoted(const std::string &s);
