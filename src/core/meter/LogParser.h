#pragma once

#include "meter/ReceiveSink.h"
#include "records/SampleStore.h"

#include <string>
#include <string_view>

// Where the download decoder stands within a recording: the time of the
// next level, its unit and interval.
struct CLogCursor {
  int m_nDay = 0, m_nMonth = 0, m_nYear = 0;
  int m_nHour = 0, m_nMinute = 0, m_nSecond = 0;
  std::string m_strUnit;
  double m_dSampleRate = 0.0; // whole seconds between levels
  double m_dLastLevel = 0.0;
};

// Kept by the view between downloads; the download command sets
// m_nLogGroup to 0 before each one.
struct CLogDecodeState {
  int m_nLogGroup = 0;
  CLogCursor m_logTime;
};

// Turns a download's hex text (after the header, up to and including the
// end marker "dd") into samples in store, one group number per recording,
// then announces the end through the sink.
void ParseLogData(std::string_view strText, CLogDecodeState &dec, CSampleStore &store, IReceiveSink &sink);
