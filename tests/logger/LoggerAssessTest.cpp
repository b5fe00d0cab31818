// --period and --threshold as a user runs them: the meter on a
// pseudo-terminal, the CSV files read back as plain RFC 4180, the messages
// taken from a real broker on 127.0.0.1.
#include "files/NumberText.h"
#include "files/TextDataFile.h"
#include "logger/LoggerRun.h"
#include "logger/MqttBroker.h"
#include "logger/RunLogger.h"
#include "sim/PtyMeter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace {

const std::string kLogger = TARVIK_LOGGER_BIN;
using CsvRow = std::vector<std::string>;

// Every line must end in CR LF; no field here needs quotes.
std::vector<CsvRow> ReadCsv(const std::string &path) {
  const std::string s = Slurp(path);
  std::vector<CsvRow> rows;
  for (std::size_t p = 0; p < s.size();) {
    const std::size_t e = s.find("\r\n", p);
    if (e == std::string::npos)
      return {{"line without CR LF: " + s.substr(p)}};
    CsvRow row;
    for (std::size_t f = p;;) {
      const std::size_t c = std::min(s.find(',', f), e);
      row.push_back(s.substr(f, c - f));
      if (c == e)
        break;
      f = c + 1;
    }
    rows.push_back(row);
    p = e + 2;
  }
  return rows;
}

// The value of "name" in a flat JSON object, quotes removed.
std::string Field(const std::string &json, const std::string &name) {
  const std::size_t k = json.find("\"" + name + "\":");
  if (k == std::string::npos)
    return "<no " + name + ">";
  const std::size_t p = k + name.size() + 3, e = json.find_first_of(",}", p);
  std::string v = json.substr(p, e - p);
  return v.size() >= 2 && v.front() == '"' ? v.substr(1, v.size() - 2) : v;
}

// The CSV row a message stands for, its fields in the header's order.
CsvRow RowOf(const std::string &json, const CsvRow &header) {
  CsvRow row;
  for (const std::string &name : header)
    row.push_back(Field(json, name));
  return row;
}

std::string OneDecimal(double d) {
  std::string s;
  AppendFixed(s, d, 1);
  return s;
}

std::size_t SamplesIn(const std::string &path) {
  CSampleStore store;
  return ReadTextDataFile(path, store).Ok() ? store.GetSize() : 0;
}

const CsvRow kPeriodsHeader = {"start", "end", "samples", "coverage_percent", "leq", "lmax", "lmin",
                               "l10",   "l50", "l90"};
const CsvRow kEventsHeader = {"start", "end", "duration_s", "lmax", "leq", "sel"};

} // namespace

// Levels of 60 and 80 dB, 2 s each; the cable is pulled while an event is
// open, and the run is stopped after.
TEST(LoggerAssess, PeriodsAndEventsGoToTheCsvFilesAndTheBrokerAndAHangupEndsTheEvent) {
  CTempDir dir;
  CTestBroker broker(dir.Path().string());
  ASSERT_TRUE(broker.Start());
  CPtyMeter meter;
  std::vector<double> levels(8, 60.0);
  levels.insert(levels.end(), 8, 80.0); // a frame each 250 ms
  meter.WithSim([&](CMeterSim &s) { s.SetLevelSource(CLevelSource::Sequence(levels)); });
  ASSERT_TRUE(meter.Start());
  CTestSubscriber sub(broker.Port(), "site/a/#");
  ASSERT_TRUE(WaitFor([&] { return sub.Subscriptions() > 0; }, std::chrono::seconds(10)));
  const std::string path = dir.File("day.txt");
  CChildProcess logger(dir.Path().string(),
                       {kLogger, "--device", meter.SlavePath(), "--rate", "0.5", "--output", path, "--mqtt",
                        "mqtt://127.0.0.1:" + std::to_string(broker.Port()) + "/site/a", "--period", "1m",
                        "--threshold", "70", "--release", "1"});
  const auto events = [&] { return sub.Messages("site/a/event"); };
  ASSERT_TRUE(WaitFor(
      [&] {
        auto e = events();
        return e.size() >= 3 && Field(e.back().strPayload, "state") == "start";
      },
      std::chrono::seconds(20)))
      << logger.Err();
  const std::size_t nBefore = events().size();
  meter.HangUp();
  // The end comes with the hang-up, not with the stop.
  ASSERT_TRUE(WaitFor([&] { return events().size() > nBefore; }, std::chrono::seconds(10))) << logger.Err();
  logger.Signal(SIGTERM);
  ASSERT_EQ(logger.Wait(), 0) << logger.Err();
  ASSERT_TRUE(WaitFor([&] { return sub.Messages("site/a/status").size() >= 2; }, std::chrono::seconds(10)));

  const std::vector<CsvRow> eventRows = ReadCsv(dir.File("day-events.csv"));
  ASSERT_GE(eventRows.size(), 3u);
  EXPECT_EQ(eventRows[0], kEventsHeader);
  std::vector<CsvRow> ends;
  for (const auto &m : events())
    if (Field(m.strPayload, "state") == "end")
      ends.push_back(RowOf(m.strPayload, kEventsHeader));
  EXPECT_EQ(events().size(), 2 * ends.size()); // a start, then its end
  EXPECT_EQ(ends, std::vector<CsvRow>(eventRows.begin() + 1, eventRows.end()));
  for (std::size_t i = 1; i < eventRows.size(); ++i) {
    const CsvRow &r = eventRows[i];
    ASSERT_EQ(r.size(), 6u);
    EXPECT_EQ(r[3] + r[4], "80.080.0");
    EXPECT_EQ(r[5], OneDecimal(80.0 + 10 * std::log10(LenientNumber(r[2]))));
  }

  // The run's period(s), the last written at the stop; the minutes without
  // samples lower the coverage.
  const std::vector<CsvRow> periodRows = ReadCsv(dir.File("day-periods.csv"));
  ASSERT_GE(periodRows.size(), 2u);
  EXPECT_EQ(periodRows[0], kPeriodsHeader);
  std::vector<CsvRow> published;
  for (const auto &m : sub.Messages("site/a/period"))
    published.push_back(RowOf(m.strPayload, kPeriodsHeader));
  EXPECT_EQ(published, std::vector<CsvRow>(periodRows.begin() + 1, periodRows.end()));
  std::size_t nSamples = 0;
  for (std::size_t i = 1; i < periodRows.size(); ++i) {
    const CsvRow &r = periodRows[i];
    ASSERT_EQ(r.size(), 10u);
    EXPECT_EQ(r[0].substr(16, 3), ":00") << r[0]; // whole minutes
    const std::size_t n = std::stoul(r[2]);
    nSamples += n;
    EXPECT_EQ(r[3], OneDecimal(static_cast<double>(n) * 0.5 / 60 * 100));
  }
  EXPECT_EQ(nSamples, SamplesIn(path));
}

// A clock crossing midnight: the period before it goes beside the old
// day's data file, the one in progress at the stop beside the new one, and
// the event across midnight beside the file that holds its end.
TEST(LoggerAssess, MidnightSplitsThePeriodsByTheDataFileOfTheirSamples) {
  CTempDir dir;
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  CPtyMeter meter;
  meter.WithSim([](CMeterSim &s) { s.SetLevelSource(CLevelSource::Sequence({80.0})); });
  ASSERT_TRUE(meter.Start());
  const auto realNow = std::chrono::system_clock::now();
  const auto midnight = std::chrono::ceil<std::chrono::days>(realNow + std::chrono::seconds(3));
  const auto offset = midnight - std::chrono::milliseconds(2500) - realNow;
  CLoggerOptions o;
  o.strDevice = meter.SlavePath();
  o.dRate = 0.2;
  o.dDurationSec = 5.0;
  o.strOutput = dir.File("day-%Y-%m-%d.txt");
  o.nPeriodSec = 60;
  o.dThreshold = 70.0;
  CLoggerEnv env;
  env.wallClock = [offset] { return std::chrono::system_clock::now() + offset; };
  std::string err;
  env.out = [](std::string_view) {};
  env.err = [&](std::string_view s) { err += s; };
  ASSERT_EQ(RunLogger(o, env), 0) << err;

  std::vector<std::string> f; // day-X-periods.csv, day-X.txt, day-Y-events.csv, day-Y-periods.csv, day-Y.txt
  for (auto &e : std::filesystem::directory_iterator(dir.Path()))
    if (e.path().filename().string().starts_with("day-"))
      f.push_back(e.path().string());
  std::sort(f.begin(), f.end());
  ASSERT_EQ(f.size(), 5u) << err;
  ASSERT_TRUE(f[2].ends_with("-events.csv"));
  const std::vector<CsvRow> oldPeriods = ReadCsv(f[0]), newEvents = ReadCsv(f[2]), newPeriods = ReadCsv(f[3]);
  const std::size_t nOld = SamplesIn(f[1]), nNew = SamplesIn(f[4]);
  ASSERT_EQ(oldPeriods.size(), 2u);
  ASSERT_EQ(newPeriods.size(), 2u);
  ASSERT_EQ(newEvents.size(), 2u);
  EXPECT_EQ(oldPeriods[1][0].substr(10), "T23:59:00+00:00");
  EXPECT_EQ(oldPeriods[1][1], newPeriods[1][0]);
  EXPECT_EQ(newPeriods[1][0].substr(10), "T00:00:00+00:00");
  EXPECT_EQ(oldPeriods[1][2], std::to_string(nOld));
  EXPECT_EQ(newPeriods[1][2], std::to_string(nNew));
  EXPECT_EQ(newEvents[1][0].substr(10, 6), "T23:59");
  EXPECT_EQ(newEvents[1][1].substr(10, 6), "T00:00");
  EXPECT_EQ(newEvents[1][2], OneDecimal(static_cast<double>(nOld + nNew) * 0.2));
}
