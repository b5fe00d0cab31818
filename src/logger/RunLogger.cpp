#include "logger/RunLogger.h"

#include "logger/LoggerRun.h"
#include "logger/MeterFeed.h"
#include "logger/MqttPublisher.h"
#include "logger/RecordingFiles.h"

#include <charconv>
#include <memory>
#include <optional>
#include <poll.h>
#include <unistd.h>

namespace {

using SteadyClock = std::chrono::steady_clock;

class CFeedToRun : public IMeterFeedObserver {
public:
  explicit CFeedToRun(CLoggerRun &run) : m_run(run) {}
  void OnMeterFound(const std::string &strDevice) override { m_run.OnMeterFound(strDevice); }
  void OnMeterLost(const std::string &strWhy) override { m_run.OnMeterLost(strWhy); }
  void OnWaiting(const std::string &strWhat) override { m_run.OnWaiting(strWhat); }
  void OnSample(std::chrono::system_clock::time_point now, const CMeterState &st) override {
    m_run.OnSample(now, st.m_dLevel, st.m_bWeightA, st.m_bFast, st.m_bMax, st.m_bMin, st.m_nRange);
  }

private:
  CLoggerRun &m_run;
};

// Waits for the meter's port, the stop descriptor or `until`; true when
// the stop descriptor became readable.
bool Wait(int nWakeFd, int nStopFd, SteadyClock::time_point until) {
  auto now = SteadyClock::now();
  int nMs = 0;
  if (until > now)
    nMs = static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(until - now).count());
  pollfd fds[2] = {{nWakeFd, POLLIN, 0}, {nStopFd, POLLIN, 0}};
  int n = ::poll(fds, nStopFd >= 0 ? 2 : 1, nMs);
  return n > 0 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR));
}

std::string DurationText(double dSec) {
  char buf[32];
  auto res = std::to_chars(buf, buf + sizeof buf, dSec);
  return std::string(buf, res.ptr) + " s";
}

class CDownloadObserver : public IMeterFeedObserver {
public:
  explicit CDownloadObserver(CLoggerEnv &env) : m_env(env) {}
  void OnMeterFound(const std::string &strDevice) override {
    m_bFound = true;
    Say("meter found on " + strDevice + ", fetching its recordings");
  }
  void OnMeterLost(const std::string &strWhy) override { Say(strWhy); }
  void OnWaiting(const std::string &strWhat) override {
    if (strWhat != m_strLastWait)
      Say(strWhat);
    m_strLastWait = strWhat;
  }
  void OnSample(std::chrono::system_clock::time_point, const CMeterState &) override {}
  void OnDownloadProgress(int nBytes, int nTotal) override {
    if (!m_env.bTerminal)
      return;
    m_env.err("\rdownloading: " + std::to_string(nBytes) + " of " + std::to_string(nTotal) + " bytes\x1b[K");
    m_bProgressShown = true;
  }
  void Say(const std::string &s) {
    m_env.err(std::string(m_bProgressShown ? "\r\x1b[K" : "") + "tarvik-logger: " + s + "\n");
    m_bProgressShown = false;
  }
  bool m_bFound = false;

private:
  CLoggerEnv &m_env;
  std::string m_strLastWait;
  bool m_bProgressShown = false;
};

CMeterFeed::CSetup FeedSetup(const CLoggerOptions &o, const CLoggerEnv &env) {
  CMeterFeed::CSetup setup;
  setup.strDevice = o.strDevice;
  setup.strPortTemplate = o.strPortTemplate;
  setup.strSysfsRoot = env.strSysfsRoot;
  setup.dRate = o.dRate;
  setup.wallClock = env.wallClock;
  return setup;
}

int RunDownload(const CLoggerOptions &o, CLoggerEnv &env) {
  CDownloadObserver observer(env);
  CMeterFeed feed(FeedSetup(o, env), observer);
  feed.BeginDownload();
  auto start = SteadyClock::now();
  std::optional<SteadyClock::time_point> end;
  if (o.dDurationSec)
    end = start +
          std::chrono::duration_cast<SteadyClock::duration>(std::chrono::duration<double>(*o.dDurationSec));
  bool bStopped = false;
  while (!feed.DownloadDone()) {
    auto now = SteadyClock::now();
    feed.Advance(now);
    if (feed.DownloadDone())
      break;
    if (end && now >= *end)
      break;
    auto until = feed.NextDeadline();
    if (end && *end < until)
      until = *end;
    if (Wait(feed.WakeFd(), env.nStopFd, until)) {
      bStopped = true;
      break;
    }
  }
  if (!feed.DownloadDone()) {
    if (!observer.m_bFound && !bStopped) {
      observer.Say("no meter found within " + DurationText(*o.dDurationSec));
      return kExitNoMeter;
    }
    observer.Say("download stopped before it ended; nothing was written");
    return bStopped ? kExitDone : kExitNoMeter;
  }
  CRecordingFilesResult files = WriteRecordingFiles(feed.Downloaded(), o.strDownloadDir);
  for (const std::string &p : files.written)
    observer.Say("wrote " + p);
  for (const std::string &p : files.kept)
    observer.Say("already there: " + p);
  if (!files.result.Ok()) {
    observer.Say("cannot write " + files.result.strPath + ": " + files.result.strReason);
    return kExitOutput;
  }
  if (feed.Downloaded().IsEmpty())
    observer.Say("the meter holds no recordings");
  if (feed.DownloadFailed()) {
    observer.Say("the download was cut short; the recordings above are what arrived");
    return 1;
  }
  return kExitDone;
}

} // namespace

int RunLogger(const CLoggerOptions &o, CLoggerEnv &env) {
  std::unique_ptr<CMqttPublisher> pMqtt;
  std::optional<CMqttUrl> url;
  if (!o.strMqtt.empty()) {
    std::string strError;
    url = ParseMqttUrl(o.strMqtt, strError);
    if (!url) {
      env.err("tarvik-logger: " + strError + "\n");
      return kExitUsage;
    }
  }
  if (!o.strDownloadDir.empty())
    return RunDownload(o, env);

  if (url) {
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    pMqtt = std::make_unique<CMqttPublisher>(*url, "tarvik-logger-" + std::string(host) + "-" +
                                                       std::to_string(::getpid()));
  }
  CLoggerRun run(o, {env.out, env.err, env.bTerminal}, pMqtt.get());
  CFileResult res = run.Begin(env.wallClock());
  if (!res.Ok()) {
    env.err("tarvik-logger: cannot write " + res.strPath + ": " + res.strReason + "\n");
    return kExitOutput;
  }
  if (pMqtt) {
    std::string strError;
    if (!pMqtt->Start(strError))
      env.err("tarvik-logger: " + strError + "; logging to the file goes on\n");
  }
  CFeedToRun observer(run);
  CMeterFeed feed(FeedSetup(o, env), observer);
  auto start = SteadyClock::now();
  std::optional<SteadyClock::time_point> end;
  if (o.dDurationSec)
    end = start +
          std::chrono::duration_cast<SteadyClock::duration>(std::chrono::duration<double>(*o.dDurationSec));
  bool bStopped = false;
  for (;;) {
    auto now = SteadyClock::now();
    feed.Advance(now);
    run.Poll(now);
    if (run.CountReached() || (end && now >= *end))
      break;
    auto until = std::min(feed.NextDeadline(), run.NextPoll(now));
    if (end && *end < until)
      until = *end;
    if (Wait(feed.WakeFd(), env.nStopFd, until)) {
      bStopped = true;
      break;
    }
  }
  bool bNoMeter = !bStopped && end && !run.MeterEverFound();
  int nExit = run.Finish();
  if (pMqtt)
    pMqtt->Stop();
  if (bNoMeter) {
    env.err("tarvik-logger: no meter found within " + DurationText(*o.dDurationSec) + "\n");
    return kExitNoMeter;
  }
  return nExit;
}
