#include "logger/LoggerRun.h"

#include "logger/MqttPublisher.h"
#include "logger/StatusLine.h"
#include "records/LocalTimeText.h"
#include "records/ObjData.h"

CLoggerRun::CLoggerRun(const CLoggerOptions &options, COutputs outputs, CMqttPublisher *pMqtt)
    : m_options(options), m_outputs(std::move(outputs)), m_pMqtt(pMqtt),
      m_log(options.strOutput, options.dRate), m_minute(options.dRate),
      m_assessment(options, pMqtt, [this](const std::string &s) { Notice(s); }) {}

CFileResult CLoggerRun::Begin(std::chrono::system_clock::time_point now) {
  CSplitTime t = SplitTime(now);
  CFileResult res = m_log.OpenFor(m_localTime.Get(t.tSec));
  if (res.Ok()) {
    Notice("logging to " + res.strPath);
    if (m_options.ePrint == CLoggerOptions::EPrint::Csv)
      m_outputs.out(std::string(kCsvHeading) + "\n");
  }
  return res;
}

void CLoggerRun::OnSample(std::chrono::system_clock::time_point now, double dLevel, bool bWeightA, bool bFast,
                          bool bMax, bool bMin, int nRange) {
  CLoggedSample s;
  s.time = now;
  CSplitTime t = SplitTime(now);
  s.local = m_localTime.Get(t.tSec);
  s.nMillis = t.nMillis;
  s.dLevel = dLevel;
  s.bWeightA = bWeightA;
  s.bFast = bFast;
  s.bMax = bMax;
  s.bMin = bMin;
  s.nRange = nRange;

  // The file first: nothing else may hold it up.
  CObjData rec(dLevel, LiveTimeText(s.local), s.Unit(), 0, m_options.dRate);
  std::string strPath = m_log.Path();
  if (m_log.Append(rec, s.local)) {
    if (m_bWriteFailing)
      Notice("writing " + m_log.Path() + " again");
    else if (m_log.Path() != strPath && !strPath.empty())
      Notice("logging to " + m_log.Path());
    m_bWriteFailing = false;
  } else {
    m_summary.NoteUnwritten(s, m_log.LastError().strReason);
    if (!m_bWriteFailing)
      Notice("cannot write " + m_log.LastError().strPath + ": " + m_log.LastError().strReason);
    m_bWriteFailing = true;
  }

  if (m_options.ePrint == CLoggerOptions::EPrint::Csv)
    m_outputs.out(SampleCsv(s) + "\n");
  else if (m_options.ePrint == CLoggerOptions::EPrint::Json)
    m_outputs.out(SampleJson(s) + "\n");
  if (m_pMqtt) {
    m_pMqtt->PublishLevel(SampleJson(s));
    if (auto minute = m_minute.Add(s))
      m_pMqtt->PublishSummary(*minute);
  }
  m_assessment.Add(dLevel, ToCivilSeconds(CivilFromTm(s.local)), m_log.Path());
  m_summary.Add(s);
  m_bHaveLevel = true;
  m_dLastLevel = dLevel;
  m_bLastWeightA = bWeightA;
  m_bStatusDirty = true;
}

void CLoggerRun::OnMeterFound(const std::string &strDevice) {
  if (m_bConnected)
    return;
  m_bConnected = true;
  m_bEverFound = true;
  m_strConnection = "meter on " + strDevice;
  Notice("meter found on " + strDevice);
}

void CLoggerRun::OnMeterLost(const std::string &strWhy) {
  if (!m_bConnected)
    return;
  m_bConnected = false;
  m_summary.NoteGap();
  m_assessment.OnGap();
  m_strConnection = strWhy;
  Notice(strWhy + "; nothing is recorded until it is back");
}

void CLoggerRun::OnWaiting(const std::string &strWhat) {
  if (m_strConnection == strWhat)
    return;
  m_strConnection = strWhat;
  Notice(strWhat);
}

void CLoggerRun::Notice(const std::string &strText) {
  std::string s;
  if (m_bStatusShown)
    s = kStatusLineEnd;
  s += "tarvik-logger: " + strText + "\n";
  m_outputs.err(s);
  m_bStatusShown = false;
  m_bStatusDirty = true;
}

void CLoggerRun::DrawStatus() {
  CStatusInfo info;
  info.bHaveLevel = m_bHaveLevel;
  info.dLevel = m_dLastLevel;
  info.bWeightA = m_bLastWeightA;
  info.strLeqName = m_summary.LeqName();
  info.dLeq = m_summary.Leq();
  info.nSamples = m_summary.Count();
  info.strConnection = m_strConnection;
  if (m_pMqtt)
    info.strConnection += m_pMqtt->Connected() ? ", broker on" : ", broker off";
  m_outputs.err(StatusLineText(info));
  m_bStatusShown = true;
  m_bStatusDirty = false;
}

void CLoggerRun::Poll(SteadyClock::time_point now) {
  m_log.File().SyncIfDue(now);
  if (m_pMqtt)
    m_pMqtt->Poll(now);
  if (m_pMqtt)
    for (const std::string &s : m_pMqtt->TakeNotices())
      Notice(s.starts_with("MQTT: ") ? s : "MQTT: " + s);
  if (m_outputs.bStatusLine && now - m_lastStatus >= kStatusEvery && m_bStatusDirty) {
    DrawStatus();
    m_lastStatus = now;
  }
}

CLoggerRun::SteadyClock::time_point CLoggerRun::NextPoll(SteadyClock::time_point now) const {
  SteadyClock::time_point next = now + std::chrono::seconds(1);
  if (auto due = m_log.File().SyncDeadline(); due && *due < next)
    next = *due;
  if (m_outputs.bStatusLine && m_bStatusDirty && m_lastStatus + kStatusEvery < next)
    next = m_lastStatus + kStatusEvery;
  return next < now ? now : next;
}

CMetricsValues CLoggerRun::Metrics() const {
  CMetricsValues v;
  if (m_bHaveLevel)
    v.level = m_dLastLevel;
  v.periodLeq = m_assessment.LastPeriodLeq();
  v.nSamples = m_summary.Count();
  v.nGaps = m_summary.Gaps();
  v.nUnwritten = m_summary.Unwritten();
  v.bMeterConnected = m_bConnected;
  if (m_pMqtt) {
    v.mqttConnected = m_pMqtt->Connected();
    v.nMqttDropped = m_pMqtt->Dropped();
  }
  return v;
}

bool CLoggerRun::CountReached() const {
  return m_options.nCount && m_summary.Count() >= *m_options.nCount;
}

int CLoggerRun::Finish() {
  m_assessment.Finish();
  if (m_pMqtt) {
    if (auto minute = m_minute.Flush())
      m_pMqtt->PublishSummary(*minute);
  }
  bool bClosed = m_log.File().Close();
  std::string s = m_bStatusShown ? kStatusLineEnd : "";
  m_bStatusShown = false;
  if (!bClosed)
    s += "tarvik-logger: " + m_log.File().LastError().strPath + ": " + m_log.File().LastError().strReason +
         "\n";
  if (m_bWriteFailing)
    s += "tarvik-logger: the data file could still not be written at the end\n";
  s += m_summary.Format();
  if (m_pMqtt && m_pMqtt->Dropped() > 0)
    s += "not published: " + std::to_string(m_pMqtt->Dropped()) +
         " messages while the broker was away (the samples are in the file)\n";
  m_outputs.err(s);
  // Samples lost to a full disk that came back are told in the summary; the
  // run itself went on, so only an output still failing is an error.
  return bClosed && !m_bWriteFailing ? kExitDone : kExitOutput;
}
