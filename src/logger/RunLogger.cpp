#include "logger/RunLogger.h"

#include "logger/LinkNews.h"
#include "logger/LoggerRun.h"
#include "logger/LoggerSession.h"
#include "logger/MqttPublisher.h"
#include "logger/RecordingFiles.h"

#include <charconv>
#include <memory>
#include <optional>
#include <unistd.h>

namespace {

using SteadyClock = std::chrono::steady_clock;

// The session's samples and news go to the run.
class CSessionToRun : public CLinkNewsObserver {
public:
  CSessionToRun(CLoggerRun &run, const CMeterReading &state, CLoggerEnv &env)
      : m_run(run), m_state(state), m_env(env) {}
  void OnSampleTaken(const SSample &) override {
    // The run's own clock dates the sample to the millisecond.
    m_run.OnSample(m_env.wallClock(), m_state.m_dLevel, m_state.m_bWeightA, m_state.m_bFast, m_state.m_bMax,
                   m_state.m_bMin, m_state.m_nRange);
  }

private:
  void OnMeterFound(const std::string &strDevice) override { m_run.OnMeterFound(strDevice); }
  void OnMeterLost(const std::string &strWhy) override { m_run.OnMeterLost(strWhy); }
  void OnWaiting(const std::string &strWhat) override { m_run.OnWaiting(strWhat); }

  CLoggerRun &m_run;
  const CMeterReading &m_state;
  CLoggerEnv &m_env;
};

std::string DurationText(double dSec) {
  char buf[32];
  auto res = std::to_chars(buf, buf + sizeof buf, dSec);
  return std::string(buf, res.ptr) + " s";
}

class CDownloadObserver : public CLinkNewsObserver {
public:
  explicit CDownloadObserver(CLoggerEnv &env) : m_env(env) {}
  void OnDownloadProgress(int nUpper, int nPos) override {
    if (!m_env.bTerminal)
      return;
    m_env.err("\rdownloading: " + std::to_string(nPos) + " of " + std::to_string(nUpper) + " bytes\x1b[K");
    m_bProgressShown = true;
  }
  void OnDownloadEnded(EDownloadEnd eEnd) override {
    m_bDone = true;
    m_bFailed = eEnd != EDownloadEnd::Complete && eEnd != EDownloadEnd::Empty;
  }
  void Say(const std::string &s) {
    m_env.err(std::string(m_bProgressShown ? "\r\x1b[K" : "") + "tarvik-logger: " + s + "\n");
    m_bProgressShown = false;
  }
  bool m_bFound = false;
  bool m_bDone = false;
  bool m_bFailed = false;

private:
  void OnMeterFound(const std::string &strDevice) override {
    if (m_bFound)
      return;
    m_bFound = true;
    Say("meter found on " + strDevice + ", fetching its recordings");
  }
  void OnMeterLost(const std::string &strWhy) override { Say(strWhy); }
  void OnWaiting(const std::string &strWhat) override {
    if (strWhat != m_strLastWait)
      Say(strWhat);
    m_strLastWait = strWhat;
  }

  CLoggerEnv &m_env;
  std::string m_strLastWait;
  bool m_bProgressShown = false;
};

// When --duration ends a run that starts at `start`.
std::optional<SteadyClock::time_point> EndOf(const CLoggerOptions &o, SteadyClock::time_point start) {
  if (!o.dDurationSec)
    return std::nullopt;
  return start +
         std::chrono::duration_cast<SteadyClock::duration>(std::chrono::duration<double>(*o.dDurationSec));
}

// The earliest of the session's deadline, `next` and the end of the run.
SteadyClock::time_point WakeTime(const CLoggerSession &meter, SteadyClock::time_point next,
                                 const std::optional<SteadyClock::time_point> &end) {
  if (auto due = meter.NextDeadline(); due && *due < next)
    next = *due;
  if (end && *end < next)
    next = *end;
  return next;
}

int RunDownload(const CLoggerOptions &o, CLoggerEnv &env) {
  CDownloadObserver observer(env);
  CLoggerSession meter(o, env.strSysfsRoot, env.wallClock);
  meter.Session().AddObserver(observer);
  meter.Begin();
  const std::optional<SteadyClock::time_point> end = EndOf(o, SteadyClock::now());
  bool bAsked = false;
  bool bStopped = false;
  for (;;) {
    meter.Advance();
    // Only a meter that is heard is asked: its live frames come first.
    if (!bAsked && meter.Session().MeterHeard())
      bAsked = meter.Session().Download() == CMeterSession::EDownloadStart::Started;
    if (observer.m_bDone)
      break;
    const auto now = SteadyClock::now();
    if (end && now >= *end)
      break;
    if (meter.Wait(env.nStopFd, WakeTime(meter, now + std::chrono::seconds(1), end))) {
      bStopped = true;
      break;
    }
  }
  meter.Session().RemoveObserver(observer);
  if (!observer.m_bDone) {
    if (!observer.m_bFound && !bStopped) {
      observer.Say("no meter found within " + DurationText(*o.dDurationSec));
      return kExitNoMeter;
    }
    observer.Say("download stopped before it ended; nothing was written");
    return bStopped ? kExitDone : kExitNoMeter;
  }
  CRecordingFilesResult files = WriteRecordingFiles(meter.Downloaded(), o.strDownloadDir);
  for (const std::string &p : files.written)
    observer.Say("wrote " + p);
  for (const std::string &p : files.kept)
    observer.Say("already there: " + p);
  if (!files.result.Ok()) {
    observer.Say("cannot write " + files.result.strPath + ": " + files.result.strReason);
    return kExitOutput;
  }
  if (meter.Downloaded().IsEmpty())
    observer.Say("the meter holds no recordings");
  if (observer.m_bFailed) {
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
  CLoggerSession meter(o, env.strSysfsRoot, env.wallClock);
  CSessionToRun observer(run, meter.Session().Reading(), env);
  meter.Session().AddObserver(observer);
  meter.Begin();
  // The run keeps nothing in memory (the run's file has every sample) and
  // outlasts silence, hang-ups and HOLD, sampling whenever the meter is there.
  SRunOptions unattended;
  unattended.bKeepSamples = false;
  unattended.bEndWithMeter = false;
  meter.Session().StartRun(o.dRate, unattended);
  const std::optional<SteadyClock::time_point> end = EndOf(o, SteadyClock::now());
  bool bStopped = false;
  for (;;) {
    meter.Advance();
    const auto now = SteadyClock::now();
    run.Poll(now);
    if (run.CountReached() || (end && now >= *end))
      break;
    if (meter.Wait(env.nStopFd, WakeTime(meter, run.NextPoll(now), end))) {
      bStopped = true;
      break;
    }
  }
  meter.Session().RemoveObserver(observer);
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
