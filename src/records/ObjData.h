#pragma once

#include <string>

// One sound level sample: sampled live, downloaded from the meter's logger
// or read back from a data file. Created complete and never changed.
class CObjData {
public:
  CObjData(double dValue, std::string strTime, std::string strUnit, int nGroup, double dSampleRate)
      : m_dValue(dValue), m_strTime(std::move(strTime)), m_strUnit(std::move(strUnit)), m_nGroup(nGroup),
        m_dSampleRate(dSampleRate) {}
  virtual ~CObjData() = default;

  CObjData(const CObjData &) = delete;
  CObjData &operator=(const CObjData &) = delete;

  const double m_dValue;       // level in dB
  const std::string m_strTime; // "dd-mm-yyyy,hh:mm:ss" (downloads: hour not padded)
  const std::string m_strUnit; // "dBA" or "dBC"
  const int m_nGroup;          // recording number; 0 for live and file samples
  const double m_dSampleRate;  // seconds between two samples of the run
};
