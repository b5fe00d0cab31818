// tarvik-logger as a user runs it: the program against the simulated meter
// on a pseudo-terminal, files read back by the program's own reader.
#include "files/TextDataFile.h"
#include "logger/LoggerProcess.h"
#include "logger/LoggerRun.h"
#include "logger/RunLogger.h"
#include "serial/FakeSysfs.h"
#include "sim/PtyMaster.h"
#include "sim/PtyMeter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <ctime>
#include <filesystem>
#include <mutex>
#include <set>
#include <sys/resource.h>
#include <thread>

namespace {

const std::string kLogger = TARVIK_LOGGER_BIN;

struct CReadBack {
  CFileResult result;
  std::vector<double> levels;
  std::vector<std::string> times;
};

CReadBack ReadLog(const std::string &path) {
  CSampleStore store;
  CReadBack r;
  r.result = ReadTextDataFile(path, store);
  for (std::size_t i = 0; i < store.GetSize(); ++i) {
    r.levels.push_back(store[i].m_dValue);
    r.times.push_back(store[i].m_strTime);
  }
  return r;
}

std::size_t SampleLines(const std::string &path) {
  std::string s = Slurp(path);
  std::size_t n = 0;
  for (char c : s)
    n += c == '\n';
  return n == 0 ? 0 : n - 1;
}

void StartMeter(CPtyMeter &meter, std::vector<double> levels) {
  meter.WithSim([&](CMeterSim &s) { s.SetLevelSource(CLevelSource::Sequence(levels)); });
  ASSERT_TRUE(meter.Start()) << meter.Error();
}

} // namespace

TEST(LoggerProgram, TenSecondsAtHalfASecondGiveTwentySamplesOfTheMetersLevels) {
  CTempDir dir;
  CPtyMeter meter;
  StartMeter(meter, {60.1, 61.2, 62.3, 63.4});
  std::string out = dir.File("log-%Y.txt");
  CChildProcess logger(dir.Path().string(), {kLogger, "--device", meter.SlavePath(), "--rate", "0.5",
                                             "--duration", "10s", "--print", "json", "--output", out});
  ASSERT_TRUE(logger.Started());
  ASSERT_EQ(logger.Wait(std::chrono::seconds(30)), 0) << logger.Err();
  std::string path;
  for (auto &e : std::filesystem::directory_iterator(dir.Path()))
    if (e.path().extension() == ".txt")
      path = e.path().string();
  CReadBack r = ReadLog(path);
  ASSERT_TRUE(r.result.Ok()) << r.result.strReason;
  EXPECT_TRUE(r.result.warnings.empty());
  EXPECT_NEAR(static_cast<double>(r.levels.size()), 20.0, 1.0);
  for (double d : r.levels)
    EXPECT_TRUE(std::set<double>({60.1, 61.2, 62.3, 63.4}).count(d)) << d;
  // Standard output carries the same samples, one JSON object each.
  std::string json = logger.Out();
  EXPECT_EQ(static_cast<std::size_t>(std::count(json.begin(), json.end(), '\n')), r.levels.size());
  EXPECT_NE(json.find("\"weighting\": \"A\", \"fast\": true"), std::string::npos) << json;
  std::string err = logger.Err();
  EXPECT_NE(err.find("samples: " + std::to_string(r.levels.size()) + "\n"), std::string::npos) << err;
  EXPECT_NE(err.find("LAeq: "), std::string::npos) << err;
}

// Killed without warning, the logger leaves a file whose every line reads.
TEST(LoggerProgram, KillNineLeavesAFileTheReaderAcceptsWhole) {
  CTempDir dir;
  CPtyMeter meter;
  meter.SetFrameInterval(std::chrono::milliseconds(100));
  StartMeter(meter, {70.0, 71.5});
  std::string path = dir.File("k.txt");
  CChildProcess logger(dir.Path().string(),
                       {kLogger, "--device", meter.SlavePath(), "--rate", "0.1", "--output", path});
  ASSERT_TRUE(WaitFor([&] { return SampleLines(path) >= 15; }, std::chrono::seconds(20))) << logger.Err();
  logger.Signal(SIGKILL);
  EXPECT_EQ(logger.Wait(), 128 + SIGKILL);
  std::size_t nLines = SampleLines(path);
  CReadBack r = ReadLog(path);
  ASSERT_TRUE(r.result.Ok());
  EXPECT_TRUE(r.result.warnings.empty()) << r.result.warnings.front();
  EXPECT_EQ(r.levels.size(), nLines);
  EXPECT_EQ(Slurp(path).back(), '\n');

  // A second run appends to the same file, as the rate is the same.
  CChildProcess again(dir.Path().string(), {kLogger, "--device", meter.SlavePath(), "--rate", "0.1",
                                            "--output", path, "--count", "3"});
  ASSERT_EQ(again.Wait(), 0) << again.Err();
  EXPECT_EQ(ReadLog(path).levels.size(), nLines + 3);
}

TEST(LoggerProgram, SigtermFlushesWritesTheSummaryAndExitsZero) {
  CTempDir dir;
  CPtyMeter meter;
  StartMeter(meter, {55.0, 65.0});
  std::string path = dir.File("t.txt");
  CChildProcess logger(dir.Path().string(), {kLogger, "--device", meter.SlavePath(), "--rate", "0.2",
                                             "--output", path, "--print", "csv"});
  ASSERT_TRUE(WaitFor([&] { return SampleLines(path) >= 5; }, std::chrono::seconds(20))) << logger.Err();
  logger.Signal(SIGTERM);
  ASSERT_EQ(logger.Wait(), 0) << logger.Err();
  std::string err = logger.Err();
  CReadBack r = ReadLog(path);
  EXPECT_NE(err.find("samples: " + std::to_string(r.levels.size()) + "\ngaps: 0\n"), std::string::npos)
      << err;
  EXPECT_NE(err.find("MAX: 65.0 dBA at "), std::string::npos) << err;
  EXPECT_NE(err.find("MIN: 55.0 dBA at "), std::string::npos) << err;
  EXPECT_NE(err.find("L90: 55.0"), std::string::npos) << err;
  std::string csv = logger.Out();
  EXPECT_EQ(csv.substr(0, csv.find('\n')), "time,level,weighting");
}

// The by-id name of a device is a symbolic link; after a hang-up the link
// may point at a new node, and logging goes on there without a restart.
TEST(LoggerProgram, ASymbolicLinkRepointedAfterAHangupResumesLogging) {
  CTempDir dir;
  auto first = std::make_unique<CPtyMeter>();
  StartMeter(*first, {60.0});
  std::string link = dir.File("meter-link");
  std::filesystem::create_symlink(first->SlavePath(), link);
  std::string path = dir.File("r.txt");
  CChildProcess logger(dir.Path().string(), {kLogger, "--device", link, "--rate", "0.2", "--output", path});
  ASSERT_TRUE(WaitFor([&] { return SampleLines(path) >= 3; }, std::chrono::seconds(20))) << logger.Err();
  first->HangUp();
  first.reset();
  ASSERT_TRUE(
      WaitFor([&] { return logger.Err().find("went away") != std::string::npos; }, std::chrono::seconds(10)))
      << logger.Err();
  std::size_t nBefore = SampleLines(path);
  CPtyMeter second;
  StartMeter(second, {80.0});
  std::filesystem::remove(link);
  std::filesystem::create_symlink(second.SlavePath(), link);
  ASSERT_TRUE(WaitFor([&] { return SampleLines(path) >= nBefore + 3; }, std::chrono::seconds(20)))
      << logger.Err();
  logger.Signal(SIGINT);
  ASSERT_EQ(logger.Wait(), 0);
  CReadBack r = ReadLog(path);
  EXPECT_EQ(r.levels.front(), 60.0);
  EXPECT_EQ(r.levels.back(), 80.0);
  EXPECT_NE(logger.Err().find("gaps: 1\n"), std::string::npos) << logger.Err();
}

TEST(LoggerProgram, UsageOutputAndMeterFailuresHaveTheirExitCodes) {
  CTempDir dir;
  CChildProcess badRate(dir.Path().string(), {kLogger, "--rate", "0.3"});
  EXPECT_EQ(badRate.Wait(), kExitUsage);
  EXPECT_NE(badRate.Err().find("--rate must be one of 0.1, 0.2, 0.5, 1, 1.5, 2, 2.5, 3, 5, 10"),
            std::string::npos);

  // A file where a folder should be: the reason is the system's.
  Spit(dir.File("plain"), "");
  CChildProcess badOut(dir.Path().string(),
                       {kLogger, "--device", "/nonexistent", "--output", dir.File("plain/x.txt")});
  EXPECT_EQ(badOut.Wait(), kExitOutput);
  EXPECT_NE(badOut.Err().find("cannot write " + dir.File("plain/x.txt") + ": Not a directory"),
            std::string::npos)
      << badOut.Err();

  CChildProcess noMeter(dir.Path().string(), {kLogger, "--device", dir.File("ttyNone"), "--duration", "1.5s",
                                              "--output", dir.File("n.txt")});
  EXPECT_EQ(noMeter.Wait(), kExitNoMeter);
  std::string err = noMeter.Err();
  EXPECT_NE(err.find("waiting for " + dir.File("ttyNone")), std::string::npos) << err;
  EXPECT_EQ(err.find("waiting for", err.find("waiting for") + 1), std::string::npos) << "said once: " << err;
  EXPECT_NE(err.find("no meter found within 1.5 s"), std::string::npos) << err;

  CChildProcess badUrl(dir.Path().string(),
                       {kLogger, "--mqtt", "mqtt://host", "--output", dir.File("u.txt")});
  EXPECT_EQ(badUrl.Wait(), kExitUsage);
}

// A clock crossing midnight starts the next day's file; the clock is the
// program's, moved on so that midnight comes a second into the run.
TEST(LoggerProgram, MidnightStartsASecondFile) {
  CTempDir dir;
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  CPtyMeter meter;
  StartMeter(meter, {50.0, 52.0});
  auto realNow = std::chrono::system_clock::now();
  auto days = std::chrono::floor<std::chrono::days>(realNow);
  auto offset = (days + std::chrono::days(1) - std::chrono::milliseconds(1200)) - realNow;
  CLoggerOptions o;
  o.strDevice = meter.SlavePath();
  o.dRate = 0.2;
  o.dDurationSec = 3.0;
  o.strOutput = dir.File("day-%Y-%m-%d.txt");
  CLoggerEnv env;
  env.wallClock = [offset] { return std::chrono::system_clock::now() + offset; };
  std::string err;
  env.out = [](std::string_view) {};
  env.err = [&](std::string_view s) { err += s; };
  ASSERT_EQ(RunLogger(o, env), 0) << err;
  std::vector<std::string> files;
  for (auto &e : std::filesystem::directory_iterator(dir.Path()))
    files.push_back(e.path().string());
  std::sort(files.begin(), files.end());
  ASSERT_EQ(files.size(), 2u) << err;
  CReadBack before = ReadLog(files[0]), after = ReadLog(files[1]);
  ASSERT_FALSE(before.times.empty());
  ASSERT_FALSE(after.times.empty());
  EXPECT_NE(before.times.back().find(",23:59:5"), std::string::npos) << before.times.back();
  EXPECT_NE(after.times.front().find(",00:00:0"), std::string::npos) << after.times.front();
  EXPECT_NE(err.find("logging to " + files[1]), std::string::npos) << err;
}

// --download: one data file per recording, named from its start time; a
// second download of the same memory leaves the files as they are.
TEST(LoggerProgram, DownloadWritesOneFilePerRecording) {
  CTempDir dir;
  CPtyMeter meter;
  CSimRecording a;
  a.m_nYear = 2026, a.m_nMonth = 12, a.m_nDay = 7, a.m_nHour = 21, a.m_nMinute = 5, a.m_nSecond = 9;
  a.m_nInterval = 2;
  a.m_levels = {65.2, 70.1, 71.0};
  CSimRecording b = a;
  b.m_bWeightA = false;
  b.m_nHour = 9;
  b.m_levels = {40.0};
  meter.WithSim([&](CMeterSim &s) { s.SetRecordings({a, b}); });
  ASSERT_TRUE(meter.Start());
  std::string out = dir.File("rec");
  CChildProcess first(dir.Path().string(), {kLogger, "--device", meter.SlavePath(), "--download", out});
  ASSERT_EQ(first.Wait(), 0) << first.Err();
  EXPECT_EQ(Slurp(out + "/2026-12-07_21-05-09.txt"), "TX980 Sound Level Meter SamplingRate:2.0;\r\n"
                                                     "07-12-2026,21:05:09, 65.20, dBA\r\n"
                                                     "07-12-2026,21:05:11, 70.10, dBA\r\n"
                                                     "07-12-2026,21:05:13, 71.00, dBA\r\n");
  CReadBack r = ReadLog(out + "/2026-12-07_09-05-09.txt");
  ASSERT_TRUE(r.result.Ok());
  EXPECT_EQ(r.levels, std::vector<double>{40.0});
  CChildProcess second(dir.Path().string(), {kLogger, "--device", meter.SlavePath(), "--download", out});
  ASSERT_EQ(second.Wait(), 0) << second.Err();
  EXPECT_NE(second.Err().find("already there: " + out + "/2026-12-07_21-05-09.txt"), std::string::npos)
      << second.Err();
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out), std::filesystem::directory_iterator()),
            2);
}

// No sample is invented: once the meter falls silent the ticks record
// nothing (a reading is sampled only while it is fresh), and a held
// display records nothing at all.
TEST(LoggerProgram, TicksWithoutAFreshReadingOrWithTheDisplayHeldRecordNothing) {
  CTempDir dir;
  CPtyMeter meter;
  StartMeter(meter, {45.0, 46.0});
  CLoggerOptions o;
  o.strDevice = meter.SlavePath();
  o.dRate = 0.2;
  o.dDurationSec = 8.0; // silence is told 2 to 4 s after the last byte
  o.strOutput = dir.File("fresh.txt");
  o.ePrint = CLoggerOptions::EPrint::Csv;
  CLoggerEnv env;
  std::mutex mutex;
  std::string err, out;
  env.out = [&](std::string_view s) {
    std::lock_guard lock(mutex);
    out += s;
  };
  env.err = [&](std::string_view s) {
    std::lock_guard lock(mutex);
    err += s;
  };
  env.bTerminal = true;
  int nExit = -1;
  std::thread run([&] { nExit = RunLogger(o, env); });
  auto lines = [&] {
    std::lock_guard lock(mutex);
    return std::count(out.begin(), out.end(), '\n');
  };
  ASSERT_TRUE(WaitFor([&] { return lines() >= 6; }, std::chrono::seconds(10)));
  meter.FallSilent();
  auto tSilent = std::chrono::system_clock::now();
  run.join();
  EXPECT_EQ(nExit, 0) << err;
  CReadBack r = ReadLog(o.strOutput);
  EXPECT_GE(r.levels.size(), 5u);
  EXPECT_EQ(static_cast<std::size_t>(lines()), r.levels.size() + 1); // the heading
  // The last sample is no later than a fresh reading allows (1 s) after
  // the last frame; then nothing until the end of the run.
  std::string last = out.substr(out.rfind('\n', out.size() - 2) + 1);
  std::tm tm{};
  tm.tm_year = std::stoi(last.substr(0, 4)) - 1900;
  tm.tm_mon = std::stoi(last.substr(5, 2)) - 1;
  tm.tm_mday = std::stoi(last.substr(8, 2));
  tm.tm_hour = std::stoi(last.substr(11, 2));
  tm.tm_min = std::stoi(last.substr(14, 2));
  tm.tm_sec = std::stoi(last.substr(17, 2));
  tm.tm_isdst = -1;
  auto tLast = std::chrono::system_clock::from_time_t(std::mktime(&tm)) +
               std::chrono::milliseconds(std::stoi(last.substr(20, 3)));
  EXPECT_LT(tLast - tSilent, std::chrono::milliseconds(1400)) << last;
  EXPECT_NE(err.find("the meter fell silent; nothing is recorded until it is back"), std::string::npos)
      << err;
  // On a terminal the status line was drawn in place.
  EXPECT_NE(err.find(" dBA  LAeq "), std::string::npos) << err;
  EXPECT_NE(err.find(" samples  meter on " + meter.SlavePath() + "\x1b[K"), std::string::npos) << err;

  meter.Talk();
  meter.WithSim([](CMeterSim &s) { s.SetHold(true); });
  o.dDurationSec = 2.0;
  o.strOutput = dir.File("held.txt");
  o.ePrint = CLoggerOptions::EPrint::None;
  EXPECT_EQ(RunLogger(o, env), 0);
  EXPECT_TRUE(ReadLog(o.strOutput).levels.empty());
}

// Without --device the logger waits for the bridge, says so once, and
// logs from the first one discovery lists as soon as it is plugged in.
TEST(LoggerProgram, WithoutADeviceItWaitsForTheBridgeAndUsesItWhenItArrives) {
  CTempDir dir;
  CFakeSysfs sysfs;
  sysfs.AddPlatform("ttyS0");
  CPtyMeter meter;
  StartMeter(meter, {66.6});
  CLoggerOptions o;
  o.strPortTemplate = "/dev/pts/%d";
  o.dRate = 0.2;
  o.nCount = 3;
  o.strOutput = dir.File("found.txt");
  CLoggerEnv env;
  env.strSysfsRoot = sysfs.Root();
  std::mutex mutex;
  std::string err;
  env.out = [](std::string_view) {};
  env.err = [&](std::string_view s) {
    std::lock_guard lock(mutex);
    err += s;
  };
  int nExit = -1;
  std::thread run([&] { nExit = RunLogger(o, env); });
  auto said = [&](const std::string &what) {
    std::lock_guard lock(mutex);
    return err.find(what) != std::string::npos;
  };
  EXPECT_TRUE(WaitFor([&] { return said("waiting for a CP210x bridge"); }, std::chrono::seconds(10)));
  std::this_thread::sleep_for(std::chrono::milliseconds(1500)); // a few more searches
  sysfs.AddUsb("ttyUSB" + std::to_string(meter.SlaveNumber()), "cp210x",
               "CP2102 USB to UART Bridge Controller");
  run.join();
  EXPECT_EQ(nExit, 0) << err;
  EXPECT_EQ(ReadLog(o.strOutput).levels, std::vector<double>(3, 66.6));
  EXPECT_TRUE(said("meter found on " + meter.SlavePath())) << err;
  std::size_t first = err.find("waiting for a CP210x bridge");
  EXPECT_EQ(err.find("waiting for a CP210x bridge", first + 1), std::string::npos) << err;
}

// `--print csv | head -1`: the reader goes away, the file goes on.
TEST(LoggerProgram, AClosedStandardOutputStopsPrintingNotLogging) {
  CTempDir dir;
  CPtyMeter meter;
  StartMeter(meter, {50.5});
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  ::close(fds[0]); // the reader is gone before the first line
  std::string path = dir.File("p.txt");
  CChildProcess logger(dir.Path().string(),
                       {kLogger, "--device", meter.SlavePath(), "--rate", "0.2", "--count", "5", "--print",
                        "csv", "--output", path},
                       fds[1]);
  ::close(fds[1]);
  ASSERT_EQ(logger.Wait(), 0) << logger.Err();
  EXPECT_EQ(ReadLog(path).levels.size(), 5u);
  std::string err = logger.Err();
  std::size_t p = err.find("standard output is closed; logging to the file goes on");
  ASSERT_NE(p, std::string::npos) << err;
  EXPECT_EQ(err.find("standard output is closed", p + 1), std::string::npos) << err;
}

// A meter that keeps sending its display during --download: the download
// ends once every announced byte is in (end marker or not), or 10 s after
// its bytes stop, never held open by the live frames that follow.
TEST(LoggerProgram, DownloadEndsWhateverTheMeterKeepsSending) {
  struct CCase {
    const char *name;
    sim::CDownloadFault fault;
    int nExit;
    std::chrono::seconds within;
    const char *said;
  };
  const std::vector<CCase> cases = {
      {"whole", {}, 0, std::chrono::seconds(4), "wrote "},
      {"no end marker", {0, true}, 0, std::chrono::seconds(4), "bytes it announced but no end marker"},
      {"announces more than it sends",
       {40, true},
       1,
       std::chrono::seconds(16),
       "the download was cut short (no download bytes for 10 s while the meter went on sending its display); "
       "the recordings above are what arrived"},
  };
  for (const CCase &c : cases) {
    SCOPED_TRACE(c.name);
    CTempDir dir;
    CPtyMeter meter;
    meter.SetFrameInterval(std::chrono::milliseconds(50)); // 400 bytes a second of live frames
    CSimRecording a;
    a.m_nYear = 2026, a.m_nMonth = 12, a.m_nDay = 7, a.m_nHour = 21, a.m_nMinute = 5, a.m_nSecond = 9;
    a.m_nInterval = 1;
    a.m_levels = {65.2, 70.1, 71.0};
    CSimRecording b = a;
    b.m_nHour = 9;
    meter.WithSim([&](CMeterSim &s) {
      s.SetRecordings({a, b});
      s.SetDownloadFault(c.fault);
    });
    ASSERT_TRUE(meter.Start());
    const auto t0 = std::chrono::steady_clock::now();
    CChildProcess logger(dir.Path().string(),
                         {kLogger, "--device", meter.SlavePath(), "--download", dir.File("rec")});
    EXPECT_EQ(logger.Wait(c.within + std::chrono::seconds(5)), c.nExit) << logger.Err();
    EXPECT_LT(std::chrono::steady_clock::now() - t0, c.within) << logger.Err();
    EXPECT_NE(logger.Err().find(c.said), std::string::npos) << logger.Err();
    CReadBack r = ReadLog(dir.File("rec/2026-12-07_21-05-09.txt"));
    EXPECT_EQ(r.levels, (std::vector<double>{65.2, 70.1, 71.0}));
  }
}

// A disk that fills up and frees again costs the samples of the full
// spell, told in the summary; the run went on, so it exits 0.
TEST(LoggerProgram, ADiskFullSpellItRecoveredFromIsToldAndExitsZero) {
  CTempDir dir;
  CPtyMeter meter;
  StartMeter(meter, {58.0});
  std::string path = dir.File("full.txt");
  CChildProcess logger(dir.Path().string(),
                       {kLogger, "--device", meter.SlavePath(), "--rate", "0.2", "--output", path});
  // Its standard error is a file too: the data file is let grow past it first.
  ASSERT_TRUE(WaitFor([&] { return SampleLines(path) >= 15; }, std::chrono::seconds(20))) << logger.Err();
  // The logger's own file size limit, set from outside: its writes fail as on a full disk.
  rlimit full{static_cast<rlim_t>(std::filesystem::file_size(path)), RLIM_INFINITY};
  ASSERT_EQ(::prlimit(logger.Pid(), RLIMIT_FSIZE, &full, nullptr), 0);
  ASSERT_TRUE(WaitFor([&] { return logger.Err().find("cannot write " + path) != std::string::npos; },
                      std::chrono::seconds(10)))
      << logger.Err();
  std::this_thread::sleep_for(std::chrono::seconds(1));
  rlimit freed{RLIM_INFINITY, RLIM_INFINITY};
  ASSERT_EQ(::prlimit(logger.Pid(), RLIMIT_FSIZE, &freed, nullptr), 0);
  ASSERT_TRUE(WaitFor([&] { return logger.Err().find("writing " + path + " again") != std::string::npos; },
                      std::chrono::seconds(10)))
      << logger.Err();
  logger.Signal(SIGTERM);
  ASSERT_EQ(logger.Wait(), 0) << logger.Err();
  const std::string err = logger.Err();
  const std::size_t nInFile = ReadLog(path).levels.size();
  const std::size_t p = err.find("samples: ");
  ASSERT_NE(p, std::string::npos) << err;
  const std::size_t nTaken = std::stoul(err.substr(p + 9));
  const std::size_t q = err.find("lost: ");
  ASSERT_NE(q, std::string::npos) << err;
  const std::size_t nLost = std::stoul(err.substr(q + 6));
  EXPECT_GE(nLost, 4u) << err;
  EXPECT_EQ(nInFile + nLost, nTaken) << err;
  EXPECT_NE(err.find(" samples not written to the file (File too large), "), std::string::npos) << err;
}

// A meter that streams its display but never answers the request: the
// download ends 10 s after it began, and nothing is claimed of its memory.
TEST(LoggerProgram, DownloadFromAMeterThatNeverAnswersEndsAndSaysSo) {
  CTempDir dir;
  CPtyMaster pty;
  ASSERT_TRUE(pty.Open()) << pty.Error();
  std::atomic<bool> bStop{false};
  std::thread chatter([&] {
    CMeterSim sim;
    while (!bStop) {
      std::vector<uint8_t> frame = sim.NextFrame();
      pty.WriteAll(frame.data(), frame.size());
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  });
  const auto t0 = std::chrono::steady_clock::now();
  CChildProcess logger(dir.Path().string(),
                       {kLogger, "--device", pty.SlavePath(), "--download", dir.File("rec")});
  const int nExit = logger.Wait(std::chrono::seconds(20));
  bStop = true;
  chatter.join();
  EXPECT_EQ(nExit, 1) << logger.Err();
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(15));
  EXPECT_NE(logger.Err().find("(no download bytes for 10 s while the meter went on sending its display); "
                              "nothing was written"),
            std::string::npos)
      << logger.Err();
  EXPECT_EQ(logger.Err().find("holds no recordings"), std::string::npos) << logger.Err();
}
