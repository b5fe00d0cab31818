// The logger's /metrics as Prometheus scrapes it: fetched with curl from a
// running logger and checked with promtool.
#include "logger/MetricsServer.h"
#include "logger/MqttBroker.h"
#include "sim/PtyMeter.h"

#include <gtest/gtest.h>

namespace {

const std::string kLogger = TARVIK_LOGGER_BIN;

// The body (or with bCode the HTTP status) of a GET.
std::string Get(const std::string &strDir, const std::string &strUrl, bool bCode = false) {
  std::vector<std::string> args = {"/usr/bin/curl", "-s", "--max-time", "5", strUrl};
  if (bCode)
    args.insert(args.begin() + 2, {"-o", "/dev/null", "-w", "%{http_code}"});
  CChildProcess curl(strDir, args);
  curl.Wait();
  return curl.Out();
}

// The value of one sample line ("name{labels} value"), or "" when absent.
std::string Value(const std::string &strText, const std::string &strSeries) {
  const std::size_t p = strText.find("\n" + strSeries + " ");
  if (p == std::string::npos)
    return "";
  const std::size_t b = p + strSeries.size() + 2;
  return strText.substr(b, strText.find('\n', b) - b);
}

} // namespace

TEST(LoggerMetrics, ScrapesPassPromtoolAndFollowTheRun) {
  CTempDir dir;
  CTestBroker broker(dir.Path().string());
  ASSERT_TRUE(broker.Start());
  CPtyMeter meter;
  meter.WithSim([](CMeterSim &s) { s.SetLevelSource(CLevelSource::Sequence({64.5})); });
  ASSERT_TRUE(meter.Start());
  const int nPort = CTestBroker::FreePort();
  const std::string strBase = "http://127.0.0.1:" + std::to_string(nPort);
  CChildProcess logger(dir.Path().string(),
                       {kLogger, "--device", meter.SlavePath(), "--rate", "0.2", "--output",
                        dir.File("m.txt"), "--metrics", std::to_string(nPort), "--mqtt",
                        "mqtt://127.0.0.1:" + std::to_string(broker.Port()) + "/site/metrics"});
  std::string text;
  ASSERT_TRUE(WaitFor(
      [&] {
        text = Get(dir.Path().string(), strBase + "/metrics");
        const std::string n = Value(text, "tarvik_samples_total");
        return !n.empty() && std::stoi(n) >= 3 && Value(text, "tarvik_mqtt_connected") == "1";
      },
      std::chrono::seconds(20)))
      << text << logger.Err();
  EXPECT_EQ(Value(text, "tarvik_level_db"), "64.5");
  EXPECT_EQ(Value(text, "tarvik_meter_connected"), "1");
  EXPECT_EQ(Value(text, "tarvik_gaps_total"), "0");
  EXPECT_EQ(Value(text, "tarvik_dropped_samples_total{output=\"file\"}"), "0");
  for (const char *family : {"tarvik_level_db gauge", "tarvik_samples_total counter",
                             "tarvik_gaps_total counter", "tarvik_dropped_samples_total counter",
                             "tarvik_meter_connected gauge", "tarvik_mqtt_connected gauge"})
    EXPECT_NE(text.find(std::string("# TYPE ") + family + "\n"), std::string::npos) << family;

  Spit(dir.File("scrape.txt"), text);
  CChildProcess promtool(dir.Path().string(),
                         {"/bin/sh", "-c", "promtool check metrics < '" + dir.File("scrape.txt") + "' 2>&1"});
  EXPECT_EQ(promtool.Wait(), 0) << promtool.Out();
  EXPECT_EQ(promtool.Out(), "") << promtool.Out(); // no lint complaints either

  EXPECT_EQ(Get(dir.Path().string(), strBase + "/", true), "404");
  EXPECT_EQ(Get(dir.Path().string(), strBase + "/metrics/x", true), "404");
  meter.Stop(); // unplugged: the gauge follows
  ASSERT_TRUE(WaitFor(
      [&] { return Value(Get(dir.Path().string(), strBase + "/metrics"), "tarvik_meter_connected") == "0"; },
      std::chrono::seconds(10)));
  logger.Signal(SIGTERM);
  EXPECT_EQ(logger.Wait(), 0) << logger.Err();
}

TEST(LoggerMetrics, AddressesDefaultToLoopbackAndATakenPortIsSaid) {
  struct CCase {
    const char *text;
    const char *host;
    int nPort;
  };
  for (const CCase &c : {CCase{"9877", "127.0.0.1", 9877}, CCase{":9877", "127.0.0.1", 9877},
                         CCase{"0.0.0.0:80", "0.0.0.0", 80}, CCase{"[::1]:9877", "::1", 9877}}) {
    std::string err;
    auto a = ParseMetricsAddress(c.text, err);
    ASSERT_TRUE(a) << c.text << ": " << err;
    EXPECT_EQ(a->strHost, c.host);
    EXPECT_EQ(a->nPort, c.nPort);
  }
  std::string err;
  for (const char *bad : {"", "host:80", "127.0.0.1:0", "127.0.0.1:x", "[::1]9877", "1.2.3.4:70000"})
    EXPECT_FALSE(ParseMetricsAddress(bad, err)) << bad;

  CTempDir dir;
  CMetricsServer first;
  CMetricsAddress a{"127.0.0.1", CTestBroker::FreePort()};
  ASSERT_TRUE(first.Start(a, err)) << err;
  CChildProcess logger(dir.Path().string(),
                       {kLogger, "--device", dir.File("none"), "--output", dir.File("t.txt"), "--metrics",
                        "127.0.0.1:" + std::to_string(a.nPort)});
  EXPECT_EQ(logger.Wait(), 4);
  EXPECT_NE(logger.Err().find("cannot serve metrics on 127.0.0.1:" + std::to_string(a.nPort) +
                              ": Address already in use"),
            std::string::npos)
      << logger.Err();
}
