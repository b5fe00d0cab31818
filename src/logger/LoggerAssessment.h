#pragma once

#include "assess/IsoLocalTime.h"
#include "assess/NoiseAssessor.h"
#include "logger/LoggerOptions.h"
#include "records/CivilTime.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

class CMqttPublisher;

// The logger's clock periods and threshold events: each closed period and
// each ended event becomes a line of the CSV file beside the data file that
// holds its last sample (so a day's CSV describes that day's data file) and
// a message on PREFIX/period or PREFIX/event; an event's start is published
// once it has lasted the minimum duration, so no start goes without its end.
class CLoggerAssessment {
public:
  using NoticeFn = std::function<void(const std::string &)>;
  CLoggerAssessment(const CLoggerOptions &o, CMqttPublisher *pMqtt, NoticeFn notice);

  // Anything asked (--period or --threshold)?
  bool Active() const { return m_bPeriods || m_bEvents; }
  // One sample at local clock time `t`, written to `strDataPath`.
  void Add(double dLevel, CivilSeconds t, const std::string &strDataPath);
  // The meter went away: an open event ends at its last sample.
  void OnGap();
  // A clean stop: the open period and the open event are written.
  void Finish();
  // The last closed period's Leq, when periods are kept.
  std::optional<double> LastPeriodLeq() const { return m_lastPeriodLeq; }

private:
  void HandOn(CNoiseAssessor::Change c, const std::string &strPeriodPath, const std::string &strEventPath);
  void Append(const std::string &strDataPath, std::string_view what, std::string_view header,
              const std::string &strLine);

  CNoiseAssessor m_assessor;
  bool m_bPeriods, m_bEvents;
  double m_dRate;
  CMqttPublisher *m_pMqtt;
  NoticeFn m_notice;
  CIsoLocalTime m_iso;
  std::string m_strLastPath;  // the data file of the sample before
  std::string m_strAbovePath; // the data file of the last sample at or above the threshold
  bool m_bStartPublished = false;
  std::optional<double> m_lastPeriodLeq;
};
