#include "logger/RunLogger.h"

#include "TarvikVersion.h"
#include "logger/HaDiscovery.h"
#include "logger/LinkNews.h"
#include "logger/LoggerRun.h"
#include "logger/LoggerSession.h"
#include "logger/MetricsServer.h"
#include "logger/MqttPublisher.h"
#include "logger/RunDownload.h"
#include "logger/RunLoop.h"

#include <memory>
#include <optional>
#include <unistd.h>

namespace {

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

} // namespace

int RunLogger(const CLoggerOptions &o, CLoggerEnv &env) {
  std::unique_ptr<CMqttPublisher> pMqtt;
  std::optional<CMqttUrl> url;
  std::optional<CMqttAccess> access;
  if (!o.strMqtt.empty()) {
    std::string strError;
    url = ParseMqttUrl(o.strMqtt, strError);
    if (url)
      access = MqttAccessFor(o, *url, env.mqttPassword.c_str(), strError);
    if (!url || !access) {
      env.err("tarvik-logger: " + strError + "\n");
      return kExitUsage;
    }
  }
  if (!o.strDownloadDir.empty())
    return RunDownload(o, env);
  std::optional<CMetricsAddress> metricsAddress;
  if (!o.strMetrics.empty()) {
    std::string strError;
    metricsAddress = ParseMetricsAddress(o.strMetrics, strError);
    if (!metricsAddress) {
      env.err("tarvik-logger: " + strError + "\n");
      return kExitUsage;
    }
  }

  if (url) {
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    pMqtt = std::make_unique<CMqttPublisher>(
        *url, *access, "tarvik-logger-" + std::string(host) + "-" + std::to_string(::getpid()));
  }
  if (pMqtt && o.strHaDiscovery) {
    CHaDiscovery d;
    d.strDiscoveryPrefix = *o.strHaDiscovery;
    d.strTopicPrefix = url->strPrefix;
    d.strDevice = o.strDevice.empty() ? url->strPrefix : o.strDevice;
    d.strVersion = kTarvikVersion;
    d.bPeriod = o.nPeriodSec.has_value();
    d.bThreshold = o.dThreshold.has_value();
    for (CHaConfig &c : HaDiscoveryConfigs(d))
      pMqtt->AddRetained(std::move(c.strTopic), std::move(c.strPayload));
  }
  CLoggerRun run(o, {env.out, env.err, env.bTerminal}, pMqtt.get());
  CFileResult res = run.Begin(env.wallClock());
  if (!res.Ok()) {
    env.err("tarvik-logger: cannot write " + res.strPath + ": " + res.strReason + "\n");
    return kExitOutput;
  }
  CMetricsServer metrics;
  if (metricsAddress) {
    std::string strError;
    if (!metrics.Start(*metricsAddress, strError)) {
      env.err("tarvik-logger: " + strError + "\n");
      return kExitOutput;
    }
    metrics.Update(run.Metrics());
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
    if (metricsAddress)
      metrics.Update(run.Metrics());
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
