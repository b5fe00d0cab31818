#pragma once

#include "logger/LocalTimeCache.h"
#include "logger/LoggedSample.h"
#include "logger/LoggerAssessment.h"
#include "logger/LoggerOptions.h"
#include "logger/MetricsText.h"
#include "logger/MinuteSummary.h"
#include "logger/RollingDataLog.h"
#include "logger/RunSummary.h"

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

class CMqttPublisher;

// Exit codes of tarvik-logger.
enum ELoggerExit : int {
  kExitDone = 0,
  kExitUsage = 2,
  kExitNoMeter = 3,
  kExitOutput = 4,
};

// Where every sample goes once the meter gave it: the data file first, then
// standard output, the broker, the status line and the summaries. Knows
// nothing of ports or sessions; the main loop feeds it.
class CLoggerRun {
public:
  using TextFn = std::function<void(std::string_view)>;
  using SteadyClock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds kStatusEvery{250};

  struct COutputs {
    TextFn out;               // standard output: --print lines
    TextFn err;               // standard error: notices and the summary
    bool bStatusLine = false; // standard error is a terminal
  };

  CLoggerRun(const CLoggerOptions &options, COutputs outputs, CMqttPublisher *pMqtt = nullptr);

  // Opens the first data file; a failure is exit code 4.
  CFileResult Begin(std::chrono::system_clock::time_point now);
  // One sample the meter gave at `now`.
  void OnSample(std::chrono::system_clock::time_point now, double dLevel, bool bWeightA, bool bFast,
                bool bMax, bool bMin, int nRange);
  // The meter is heard on `strDevice`, or lost (silent, unplugged): told once each.
  void OnMeterFound(const std::string &strDevice);
  void OnMeterLost(const std::string &strWhy);
  void OnWaiting(const std::string &strWhat);
  // Syncs the file, passes on broker news, redraws the status line.
  void Poll(SteadyClock::time_point now);
  // When Poll has something to do next.
  SteadyClock::time_point NextPoll(SteadyClock::time_point now) const;

  bool CountReached() const;
  bool MeterEverFound() const { return m_bEverFound; }
  std::uint64_t Samples() const { return m_summary.Count(); }
  const CRunSummary &Summary() const { return m_summary; }
  const std::string &FilePath() const { return m_log.Path(); }
  // The figures a metrics scrape shows now.
  CMetricsValues Metrics() const;

  // Publishes the last minute, closes the file, prints the summary; the
  // exit code (4 when the file could not be written at the end or closed).
  int Finish();

private:
  void Notice(const std::string &strText);
  void DrawStatus();

  CLoggerOptions m_options;
  COutputs m_outputs;
  CMqttPublisher *m_pMqtt;
  CRollingDataLog m_log;
  CLocalTimeCache m_localTime;
  CRunSummary m_summary;
  CMinuteSummary m_minute;
  CLoggerAssessment m_assessment;
  bool m_bEverFound = false;
  bool m_bConnected = false;
  bool m_bWriteFailing = false;
  std::string m_strConnection = "waiting for the meter";
  bool m_bHaveLevel = false;
  double m_dLastLevel = 0;
  bool m_bLastWeightA = true;
  bool m_bStatusDirty = true;
  bool m_bStatusShown = false;
  SteadyClock::time_point m_lastStatus{};
};
