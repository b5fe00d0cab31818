#include "logger/LoggerAssessment.h"

#include "assess/AssessCsv.h"
#include "assess/AssessJson.h"
#include "logger/AppendingCsv.h"
#include "logger/MqttPublisher.h"

namespace {
AssessSettings SettingsOf(const CLoggerOptions &o) {
  AssessSettings s;
  s.nPeriodSec = o.nPeriodSec.value_or(s.nPeriodSec);
  s.dThreshold = o.dThreshold;
  s.dMinDurationSec = o.dMinDurationSec;
  s.dReleaseSec = o.dReleaseSec;
  return s;
}
} // namespace

CLoggerAssessment::CLoggerAssessment(const CLoggerOptions &o, CMqttPublisher *pMqtt, NoticeFn notice)
    : m_assessor(SettingsOf(o)), m_bPeriods(o.nPeriodSec.has_value()), m_bEvents(o.dThreshold.has_value()),
      m_dRate(o.dRate), m_pMqtt(pMqtt), m_notice(std::move(notice)) {}

void CLoggerAssessment::Add(double dLevel, CivilSeconds t, const std::string &strDataPath) {
  if (!Active())
    return;
  const CNoiseAssessor::Change c = m_assessor.Add(dLevel, t, m_dRate);
  HandOn(c, m_strLastPath, m_strAbovePath);
  m_strLastPath = strDataPath;
  if (m_bEvents && dLevel >= *m_assessor.Settings().dThreshold)
    m_strAbovePath = strDataPath;
}

void CLoggerAssessment::OnGap() {
  if (Active())
    HandOn(m_assessor.EndEventAtGap(), m_strLastPath, m_strAbovePath);
}

void CLoggerAssessment::Finish() {
  if (Active())
    HandOn(m_assessor.Finish(), m_strLastPath, m_strAbovePath);
}

void CLoggerAssessment::HandOn(CNoiseAssessor::Change c, const std::string &strPeriodPath,
                               const std::string &strEventPath) {
  std::string line;
  for (const PeriodFigures &p : m_assessor.Periods()) {
    if (!m_bPeriods)
      continue;
    m_lastPeriodLeq = p.dLeq;
    line.clear();
    AppendPeriodCsvLine(line, p, m_iso);
    Append(strPeriodPath, "periods", kPeriodsCsvHeader, line);
    if (m_pMqtt)
      m_pMqtt->PublishPeriod(PeriodJson(p));
  }
  for (const NoiseEvent &e : m_assessor.Events()) {
    line.clear();
    AppendEventCsvLine(line, e, m_iso);
    Append(strEventPath, "events", kEventsCsvHeader, line);
    if (m_pMqtt)
      m_pMqtt->PublishEvent(EventEndJson(e));
  }
  m_assessor.DropClosed();
  if (c.EventClosed() || !m_assessor.OpenEvent())
    m_bStartPublished = false;
  if (const auto open = m_assessor.OpenEvent(); open && open->bLongEnough && !m_bStartPublished) {
    m_bStartPublished = true;
    if (m_pMqtt)
      m_pMqtt->PublishEvent(EventStartJson(open->tStart, *m_assessor.Settings().dThreshold, open->dLmax));
  }
}

void CLoggerAssessment::Append(const std::string &strDataPath, std::string_view what, std::string_view header,
                               const std::string &strLine) {
  if (strDataPath.empty()) {
    m_notice(std::string("no data file to write the ") + std::string(what) +
             " beside; lost: " + strLine.substr(0, strLine.size() - 2));
    return;
  }
  const CFileResult res = AppendCsvLine(CompanionCsvPath(strDataPath, what), header, strLine);
  if (!res.Ok())
    m_notice("cannot write " + res.strPath + ": " + res.strReason +
             "; lost: " + strLine.substr(0, strLine.size() - 2));
}
