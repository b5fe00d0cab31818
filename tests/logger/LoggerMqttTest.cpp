// Publishing through a real broker started by the test on 127.0.0.1.
#include "files/NumberText.h"
#include "files/TextDataFile.h"
#include "logger/MqttBroker.h"
#include "sim/PtyMeter.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const std::string kLogger = TARVIK_LOGGER_BIN;

std::vector<std::string> FileLines(const std::string &path) {
  CSampleStore store;
  if (!ReadTextDataFile(path, store).Ok())
    return {}; // not there yet
  std::vector<std::string> v;
  for (std::size_t i = 0; i < store.GetSize(); ++i) {
    std::string s;
    AppendTextDataLine(s, store[i]);
    v.push_back(s);
  }
  return v;
}

// The file line a level message stands for: its ISO time as the file's
// time text, its level with two decimals.
std::string LineOf(const std::string &json) {
  auto field = [&](const std::string &name) {
    std::size_t p = json.find("\"" + name + "\": ") + name.size() + 4;
    std::size_t e = json.find_first_of(",}", p);
    std::string v = json.substr(p, e - p);
    if (!v.empty() && v.front() == '"')
      v = v.substr(1, v.size() - 2);
    return v;
  };
  std::string t = field("time"); // 2026-12-08T09:00:00.250+00:00
  std::string level = field("level");
  std::string text =
      t.substr(8, 2) + "-" + t.substr(5, 2) + "-" + t.substr(0, 4) + "," + t.substr(11, 8) + ", ";
  AppendFixed(text, LenientNumber(level), 2, 5);
  return text + ", dB" + field("weighting");
}

std::string Url(const CTestBroker &broker, const std::string &prefix) {
  return "mqtt://127.0.0.1:" + std::to_string(broker.Port()) + "/" + prefix;
}

struct CSetup {
  CTempDir dir;
  CTestBroker broker{dir.Path().string()};
  CPtyMeter meter;
  CSetup() {
    meter.WithSim([](CMeterSim &s) { s.SetLevelSource(CLevelSource::Sequence({58.5, 66.25, 72.0})); });
  }
};

} // namespace

TEST(LoggerMqtt, MessagesMatchTheFileAndStatusGoesOnlineThenOffline) {
  CSetup s;
  ASSERT_TRUE(s.broker.Start());
  ASSERT_TRUE(s.meter.Start());
  CTestSubscriber sub(s.broker.Port(), "site/m1/#");
  ASSERT_TRUE(WaitFor([&] { return sub.Subscriptions() > 0; }, std::chrono::seconds(10)));
  std::string path = s.dir.File("m.txt");
  CChildProcess logger(s.dir.Path().string(),
                       {kLogger, "--device", s.meter.SlavePath(), "--rate", "0.5", "--duration", "5s",
                        "--output", path, "--mqtt", Url(s.broker, "site/m1")});
  ASSERT_EQ(logger.Wait(), 0) << logger.Err();
  ASSERT_TRUE(WaitFor([&] { return sub.Messages("site/m1/status").size() >= 2; }, std::chrono::seconds(10)));
  auto status = sub.Messages("site/m1/status");
  EXPECT_EQ(status.front().strPayload, "online");
  EXPECT_EQ(status.back().strPayload, "offline");

  std::vector<std::string> file = FileLines(path);
  auto levels = sub.Messages("site/m1/level");
  ASSERT_GE(file.size(), 8u);
  // The broker connection may come a moment after the first sample.
  ASSERT_GE(levels.size() + 1, file.size());
  ASSERT_LE(levels.size(), file.size());
  std::size_t skip = file.size() - levels.size();
  for (std::size_t i = 0; i < levels.size(); ++i)
    EXPECT_EQ(LineOf(levels[i].strPayload), file[skip + i]) << levels[i].strPayload;
  auto summary = sub.Messages("site/m1/summary");
  ASSERT_FALSE(summary.empty());
  EXPECT_NE(summary.back().strPayload.find("\"l90\": "), std::string::npos);
}

TEST(LoggerMqtt, ABrokerRestartLosesNoFileSamplesAndPublishingResumes) {
  CSetup s;
  ASSERT_TRUE(s.broker.Start());
  ASSERT_TRUE(s.meter.Start());
  CTestSubscriber sub(s.broker.Port(), "site/m2/#");
  std::string path = s.dir.File("r.txt");
  CChildProcess logger(s.dir.Path().string(), {kLogger, "--device", s.meter.SlavePath(), "--rate", "0.2",
                                               "--output", path, "--mqtt", Url(s.broker, "site/m2")});
  ASSERT_TRUE(WaitFor([&] { return sub.Messages("site/m2/level").size() >= 5; }, std::chrono::seconds(20)))
      << logger.Err();
  s.broker.Stop();
  std::size_t nAtStop = FileLines(path).size();
  ASSERT_TRUE(WaitFor([&] { return FileLines(path).size() >= nAtStop + 10; }, std::chrono::seconds(20)));
  std::size_t nBefore = sub.Messages("site/m2/level").size();
  ASSERT_TRUE(s.broker.Start());
  ASSERT_TRUE(
      WaitFor([&] { return sub.Messages("site/m2/level").size() >= nBefore + 5; }, std::chrono::seconds(30)))
      << logger.Err();
  logger.Signal(SIGTERM);
  ASSERT_EQ(logger.Wait(), 0) << logger.Err();
  EXPECT_NE(logger.Err().find("MQTT: connection to the broker lost"), std::string::npos) << logger.Err();
  // The summary says what the broker missed, and that the file has it.
  EXPECT_NE(logger.Err().find(" messages while the broker was away (the samples are in the file)"),
            std::string::npos)
      << logger.Err();

  // Every second of the run is in the file: the outage cost no samples.
  std::vector<std::string> file = FileLines(path);
  std::set<std::string> seconds;
  for (auto &line : file)
    seconds.insert(line.substr(0, 19));
  auto toSec = [](const std::string &t) {
    return std::stoi(t.substr(11, 2)) * 3600 + std::stoi(t.substr(14, 2)) * 60 + std::stoi(t.substr(17, 2));
  };
  int first = toSec(file.front()), last = toSec(file.back());
  ASSERT_GT(last, first); // no midnight in a test this short, but never a negative span
  EXPECT_EQ(static_cast<int>(seconds.size()), last - first + 1);
}

TEST(LoggerMqtt, KillNineOfTheLoggerMakesTheBrokerPublishOffline) {
  CSetup s;
  ASSERT_TRUE(s.broker.Start());
  ASSERT_TRUE(s.meter.Start());
  CTestSubscriber sub(s.broker.Port(), "site/m3/status");
  CChildProcess logger(s.dir.Path().string(), {kLogger, "--device", s.meter.SlavePath(), "--output",
                                               s.dir.File("k.txt"), "--mqtt", Url(s.broker, "site/m3")});
  ASSERT_TRUE(WaitFor([&] { return !sub.Messages("site/m3/status").empty(); }, std::chrono::seconds(20)));
  EXPECT_EQ(sub.Messages("site/m3/status").back().strPayload, "online");
  logger.Signal(SIGKILL);
  logger.Wait();
  ASSERT_TRUE(WaitFor([&] { return sub.Messages("site/m3/status").size() >= 2; }, std::chrono::seconds(20)));
  EXPECT_EQ(sub.Messages("site/m3/status").back().strPayload, "offline");
  // Retained: a subscriber that comes later learns it too.
  CTestSubscriber late(s.broker.Port(), "site/m3/status");
  ASSERT_TRUE(WaitFor([&] { return !late.Messages("site/m3/status").empty(); }, std::chrono::seconds(10)));
  EXPECT_EQ(late.Messages("site/m3/status").front().strPayload, "offline");
  EXPECT_TRUE(late.Messages("site/m3/status").front().bRetained);
}

TEST(LoggerMqtt, ABrokerThatComesAfterTheLoggerIsUsedOnceUp) {
  CSetup s;
  ASSERT_TRUE(s.meter.Start());
  std::string path = s.dir.File("late.txt");
  CChildProcess logger(s.dir.Path().string(), {kLogger, "--device", s.meter.SlavePath(), "--rate", "0.2",
                                               "--output", path, "--mqtt", Url(s.broker, "site/m4")});
  ASSERT_TRUE(WaitFor([&] { return FileLines(path).size() >= 5; }, std::chrono::seconds(20))) << logger.Err();
  ASSERT_TRUE(s.broker.Start());
  CTestSubscriber sub(s.broker.Port(), "site/m4/#");
  ASSERT_TRUE(WaitFor([&] { return sub.Messages("site/m4/level").size() >= 3; }, std::chrono::seconds(30)))
      << logger.Err();
  logger.Signal(SIGINT);
  EXPECT_EQ(logger.Wait(), 0);
  EXPECT_NE(logger.Err().find("not reachable"), std::string::npos) << logger.Err();
}
