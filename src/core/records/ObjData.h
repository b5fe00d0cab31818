#pragma once

#include <string>

// One sound level sample as its readers see it: sampled live, downloaded
// from the meter's logger or read back from a data file. The stores keep
// samples in a compact form and hand out these values on request.
struct CObjData {
  double m_dValue = 0;      // level in dB
  std::string m_strTime;    // "dd-mm-yyyy,hh:mm:ss" (downloads: hour not padded)
  std::string m_strUnit;    // "dBA" or "dBC"
  int m_nGroup = 0;         // recording number; 0 for live and file samples
  double m_dSampleRate = 0; // seconds between two samples of the run
};
