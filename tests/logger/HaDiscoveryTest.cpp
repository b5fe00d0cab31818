// Home Assistant discovery as Home Assistant reads it: retained configs at
// a real broker, fetched with mosquitto_sub and parsed as JSON.
#include "logger/HaDiscovery.h"
#include "logger/MqttBroker.h"
#include "sim/PtyMeter.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace {

const std::string kLogger = TARVIK_LOGGER_BIN;

// "topic payload" lines from mosquitto_sub -v, each payload parsed by
// Python's json module into "key=value" lines (nested objects as a.b).
std::map<std::string, std::map<std::string, std::string>> ReadConfigs(const std::string &strDir, int nPort,
                                                                      int nCount) {
  CChildProcess sub(strDir, {"/usr/bin/mosquitto_sub", "-h", "127.0.0.1", "-p", std::to_string(nPort), "-t",
                             "homeassistant/#", "-v", "-C", std::to_string(nCount), "-W", "10"});
  sub.Wait();
  const std::string strLines = strDir + "/configs.txt";
  Spit(strLines, sub.Out());
  CChildProcess py(strDir, {"/usr/bin/python3", "-c",
                            "import json,sys\n"
                            "def flat(p,o):\n"
                            "  for k,v in o.items():\n"
                            "    if isinstance(v,dict): flat(p+k+'.',v)\n"
                            "    else: print(p+k+'='+(v if isinstance(v,str) else json.dumps(v)))\n"
                            "for line in open(sys.argv[1]):\n"
                            "  t,_,j=line.rstrip('\\n').partition(' ')\n"
                            "  print('@'+t); flat('',json.loads(j))\n",
                            strLines});
  EXPECT_EQ(py.Wait(), 0) << py.Err();
  std::map<std::string, std::map<std::string, std::string>> out;
  std::istringstream in(py.Out());
  std::string line, topic;
  while (std::getline(in, line)) {
    if (line.starts_with("@"))
      topic = line.substr(1);
    else if (std::size_t eq = line.find('='); eq != std::string::npos)
      out[topic][line.substr(0, eq)] = line.substr(eq + 1);
  }
  return out;
}

} // namespace

TEST(HaDiscovery, TheLevelSensorIsAnnouncedRetainedAndTheSameAfterARestart) {
  CTempDir dir;
  CTestBroker broker(dir.Path().string());
  ASSERT_TRUE(broker.Start());
  CPtyMeter meter;
  ASSERT_TRUE(meter.Start());
  std::map<std::string, std::map<std::string, std::string>> runs[2];
  for (auto &configs : runs) {
    CChildProcess logger(
        dir.Path().string(),
        {kLogger, "--device", meter.SlavePath(), "--count", "2", "--output", dir.File("h.txt"), "--mqtt",
         "mqtt://127.0.0.1:" + std::to_string(broker.Port()) + "/site/ha", "--ha-discovery"});
    ASSERT_EQ(logger.Wait(), 0) << logger.Err();
    configs = ReadConfigs(dir.Path().string(), broker.Port(), 1);
  }
  const std::string strNode = HaNodeId(meter.SlavePath());
  const std::string strTopic = "homeassistant/sensor/" + strNode + "/level/config";
  ASSERT_EQ(runs[0].size(), 1u);
  ASSERT_TRUE(runs[0].count(strTopic)) << runs[0].begin()->first;
  std::map<std::string, std::string> &c = runs[0][strTopic];
  const std::map<std::string, std::string> expect = {
      {"name", "Level"},
      {"unique_id", strNode + "_level"},
      {"state_topic", "site/ha/level"},
      {"value_template", "{{ value_json.level }}"},
      {"device_class", "sound_pressure"},
      {"unit_of_measurement", "dB"},
      {"state_class", "measurement"},
      {"availability_topic", "site/ha/status"},
      {"payload_available", "online"},
      {"payload_not_available", "offline"},
      {"device.identifiers", "[\"" + strNode + "\"]"},
      {"device.name", "Tarvik " + meter.SlavePath()},
  };
  for (const auto &[key, value] : expect)
    EXPECT_EQ(c[key], value) << key;
  EXPECT_EQ(runs[0], runs[1]); // unique_ids and all stay across restarts
}

TEST(HaDiscovery, PeriodAndThresholdAddTheirSensorsAndNamesAreSafe) {
  CHaDiscovery d;
  d.strTopicPrefix = "a/b";
  d.strDevice = "/dev/serial/by-id/usb-Silicon_\"x\"-if00";
  d.bPeriod = true;
  d.bThreshold = true;
  std::vector<CHaConfig> v = HaDiscoveryConfigs(d);
  ASSERT_EQ(v.size(), 3u);
  EXPECT_EQ(HaNodeId(d.strDevice), "tarvik_dev_serial_by-id_usb-Silicon_x_-if00");
  EXPECT_EQ(v[1].strTopic,
            "homeassistant/sensor/tarvik_dev_serial_by-id_usb-Silicon_x_-if00/period_leq/config");
  EXPECT_NE(v[1].strPayload.find("\"state_topic\": \"a/b/period\""), std::string::npos);
  EXPECT_EQ(v[2].strTopic.substr(0, 28), "homeassistant/binary_sensor/");
  EXPECT_NE(v[2].strPayload.find("\"name\": \"Tarvik /dev/serial/by-id/usb-Silicon_\\\"x\\\"-if00\""),
            std::string::npos)
      << v[2].strPayload;
  EXPECT_EQ(JsonQuoted("a\\b\n"), "\"a\\\\b\\u000a\"");
}
